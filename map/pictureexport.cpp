#include "pictureexport.h"

#include "cursor.h"
#include "dberror.h"
#include "fileput.h"
#include "int16.h"
#include "storednames.h"
#include "tables.h"

#include <QDir>
#include <QFileInfo>
#include <optional>
#include <vector>

namespace pictureexport {

namespace {
const QString exportFolder = QStringLiteral("c:\\Program Files\\ワンデロ\\KOVR\\データ統合用画像\\");
}

Result run(const Installation& installation, const QString& name, qint16 userID, Cursor& data)
{
    Result result;
    if (!usableAsFolderName(name)) {
        result.message = QStringLiteral("「%1」はフォルダの名前に使えないので、書き出せません。").arg(name);
        return result;
    }
    const QString folder = installation.resolve(exportFolder + name);
    try {
        const int n = data.recordCount();
        if (!QFileInfo(folder).isDir() && !QDir().mkdir(folder)) {
            result.message = QStringLiteral("フォルダ「%1」を作れません。").arg(folder);
            return result;
        }
        result.written = true;
        // Read the table once, then follow each place's chain in memory.
        struct Row {
            std::optional<qint16> owner;
            std::optional<qint16> childs;
            QString photo;
        };
        std::vector<Row> rows;
        data.moveFirst();
        for (int i = 0; i < n; ++i) {
            rows.push_back({toInt16(data.value(tables::find::userID)), toInt16(data.value(tables::find::childs)),
                            data.text(tables::find::photo)});
            data.moveNext();
        }
        const auto exportPicture = [&](const QString& photo) {
            const QString file = MakeFilename(photo).toLower();
            // A later picture of the same name replaces an earlier one.
            if (!photo.isEmpty() &&
                (!usableAsFolderName(file) || !copyOver(installation.resolve(photo), folder + u'/' + file)))
                result.missing << photo;
        };
        for (std::size_t head = 0; head < rows.size(); ++head) {
            if (rows[head].owner != userID)
                continue;
            exportPicture(rows[head].photo);
            // The further records of the place travel too. A link outside
            // the table, back into the chain or to a row that is no chain
            // record (damaged data) ends the chain there.
            std::vector<bool> visited(rows.size());
            visited[head] = true;
            std::optional<qint16> next = rows[head].childs;
            while (next && *next >= 1 && std::size_t(*next) <= rows.size()) {
                const std::size_t at = std::size_t(tables::positionOfIndexs(*next));
                if (visited[at] || rows[at].owner != tables::chainRecordOwner)
                    break;
                visited[at] = true;
                exportPicture(rows[at].photo);
                next = rows[at].childs;
            }
        }
    } catch (const DbError& e) {
        result.message = e.text();
        return result;
    }
    result.message = finishedMessage;
    if (!result.missing.isEmpty()) {
        result.missing.removeDuplicates();
        result.message += QStringLiteral("\n\n次の画像は見つからなかったので、書き出していません:\n") +
                          result.missing.join(u'\n');
    }
    return result;
}

}  // namespace pictureexport
