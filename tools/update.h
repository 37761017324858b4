#pragma once
// The conversion of a database to the layout of version 2.X: every head
// record's position is scaled by 1.25 (rounded down), and a marker row at
// the end of `data` records that it was done, so that it is never done
// twice. It runs in one transaction: all of it lands or none of it.

#include "cursor.h"

#include <QString>
#include <functional>

inline const QString updateMarkerObject = QStringLiteral("UpdateCompleted");
// The blank between フラグ and 削除 is a full-width space.
inline const QString updateMarkerComment = QStringLiteral("Update済フラグ\u3000削除しないでください");
inline const QString alreadyUpdatedMessage = QStringLiteral("このデータベースは既に更新されています");
inline const QString updateCompletedMessage = QStringLiteral("Ver2.X形式への更新が完了しました");
inline constexpr double updateScale = 1.25;

enum class UpdateResult { Updated, AlreadyUpdated, Refused };
struct UpdateOutcome {
    UpdateResult result = UpdateResult::Refused;
    QString reason;  // why it was refused
    int scaled = 0;  // head records whose position was scaled
};

// Whether any row of the cursor's table is the update marker (one query).
bool hasUpdateMarker(Cursor& data);

// Converts the table of the cursor. `beforeWriting` runs once the database
// is known to need the conversion and before anything is written; a text it
// returns refuses the conversion with that reason. Throws DbError when the
// database fails midway; nothing is changed then.
UpdateOutcome updateToVer2(Cursor& data, const std::function<QString()>& beforeWriting = {});
