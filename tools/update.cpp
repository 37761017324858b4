#include "update.h"

#include "int16.h"
#include "rowrules.h"
#include "tables.h"

namespace {

using namespace tables;

QVariant scaled(const QVariant& position)
{
    if (!position.isValid() || position.isNull())
        return position;  // a head record without a position keeps none
    return intFloor(position.toDouble() * updateScale);
}

// Scales every head record's position in one statement. The rule itself
// stays in C++ (`scaled`, the row kind read through toInt16), called by
// the engine for each row: SQL's own arithmetic and comparisons read odd
// stored values (text, out-of-range IDs) otherwise than the programs do.
int scaleHeadRecords(Cursor& data)
{
    Database& db = data.database();
    db.defineFunction(QStringLiteral("kovr_scaled"), scaled);
    db.defineFunction(QStringLiteral("kovr_is_head"), [](const QVariant& owner) {
        const auto id = toInt16(owner);
        return QVariant(id && rowKind(*id) == RowKind::Head);
    });
    Statement scale(db, QStringLiteral("UPDATE \"%1\" SET \"%2\" = kovr_scaled(\"%2\"), \"%3\" = kovr_scaled(\"%3\") "
                                       "WHERE kovr_is_head(\"%4\")")
                            .arg(data.table(), find::xz, find::yz, find::userID));
    scale.step();
    const int changed = db.changes();
    data.rereadValues();
    return changed;
}

UpdateOutcome refused(const QString& reason)
{
    return {UpdateResult::Refused, reason, 0};
}

}  // namespace

bool hasUpdateMarker(Cursor& data)
{
    // As text() reads the field: CAST leaves text as it is and turns a
    // number into digits, which never spell the marker.
    Statement markers(data.database(),
                      QStringLiteral("SELECT rowid FROM \"%1\" WHERE CAST(\"%2\" AS TEXT) = ? ORDER BY rowid")
                          .arg(data.table(), find::object));
    markers.bind(1, updateMarkerObject);
    while (markers.step()) {
        // The cursor stands on the first marker among its rows, as after
        // walking to it; a row it does not have yet does not count.
        try {
            data.setBookmark(markers.columnInt64(0));
            return true;
        } catch (const DbError& e) {
            if (e.number() != dberr::noCurrentRow)
                throw;
        }
    }
    data.movePastLast();  // where walking the rows ended
    return false;
}

namespace {

UpdateOutcome convert(Cursor& data, const std::function<QString()>& beforeWriting)
{
    // Holding the write lock from the marker search on: nobody else can
    // write between finding no marker and writing one, and every row
    // appended before is scaled.
    Cursor::WriteScope scope(data);
    {
        if (hasUpdateMarker(data))
            return {UpdateResult::AlreadyUpdated, {}, 0};

        // The marker's indexs follows the last row's; check it before a
        // single position is scaled.
        qint16 lastIndexs = 0;
        if (data.recordCount() > 0) {
            data.moveLast();
            const auto indexs = toInt16(data.value(find::indexs));
            if (!indexs)
                return refused(QStringLiteral("最後の行の indexs が数ではないので、更新できません。"
                                              "データベース編集ツールで直してください。"));
            lastIndexs = *indexs;
        }
        if (lastIndexs >= maxDataRows || data.recordCount() >= maxDataRows)
            return refused(rows::tableFullMessage);

        if (beforeWriting) {
            const QString why = beforeWriting();
            if (!why.isEmpty())
                return refused(why);
        }

        UpdateOutcome outcome{UpdateResult::Updated, {}, 0};
        outcome.scaled = scaleHeadRecords(data);

        if (data.recordCount() > 0)
            data.moveLast();
        data.addNew();
        data.setValue(find::object, updateMarkerObject);
        data.setValue(find::comment, updateMarkerComment);
        data.setValue(find::indexs, QString::number(lastIndexs + 1));
        data.setValue(find::userID, int(chainRecordOwner));
        data.update();
        scope.commit();
        return outcome;
    }
}

}  // namespace

UpdateOutcome updateToVer2(Cursor& data, const std::function<QString()>& beforeWriting)
{
    try {
        return convert(data, beforeWriting);
    } catch (const DbError&) {
        // Rolled back by now, and the cursor's rows read again; an edit
        // left open midway goes too.
        data.cancelUpdate();
        throw;
    }
}
