#include "tables.h"

namespace tables {

const QList<Column>& columnsOf(const QString& table)
{
    static const QList<Column> userColumns = {
        {user::Name, ColumnType::Text, 20},
        {user::userID, ColumnType::Int16, 0},
        {user::BackGnd, ColumnType::Text, 100},
    };
    static const QList<Column> dataColumns = {
        {find::object, ColumnType::Text, 50},
        {find::months, ColumnType::Text, 50},
        {find::days, ColumnType::Text, 50},
        {find::comment, ColumnType::Memo, 0},
        {find::indexs, ColumnType::Text, 50},
        {find::yz, ColumnType::Single, 0},
        {find::xz, ColumnType::Single, 0},
        {find::photo, ColumnType::Text, 100},
        {find::childs, ColumnType::Int16, 0},
        {find::mother, ColumnType::Int16, 0},
        {find::userID, ColumnType::Int16, 0},
    };
    static const QList<Column> none;
    if (table == userdata)
        return userColumns;
    if (table == data)
        return dataColumns;
    return none;
}

}  // namespace tables
