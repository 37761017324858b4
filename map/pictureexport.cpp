#include "pictureexport.h"

#include "cursor.h"
#include "dberror.h"
#include "fileput.h"
#include "int16.h"
#include "rowrules.h"
#include "storednames.h"
#include "tables.h"

#include <QDir>
#include <QFileInfo>
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
        std::vector<rows::ChainLinks> links;
        QStringList photos;
        data.moveFirst();
        for (int i = 0; i < n; ++i) {
            links.push_back({toInt16(data.value(tables::find::userID)), toInt16(data.value(tables::find::childs))});
            photos << data.text(tables::find::photo);
            data.moveNext();
        }
        const auto exportPicture = [&](const QString& photo) {
            const QString file = MakeFilename(photo).toLower();
            // A later picture of the same name replaces an earlier one.
            if (!photo.isEmpty() &&
                (!usableAsFolderName(file) || !copyOver(installation.resolve(photo), folder + u'/' + file)))
                result.missing << photo;
        };
        for (std::size_t head = 0; head < links.size(); ++head) {
            if (links[head].owner != userID)
                continue;
            exportPicture(photos[int(head)]);
            // The further records of the place travel too.
            for (const std::size_t at : rows::chainAfter(links, head))
                exportPicture(photos[int(at)]);
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
