#pragma once
// The two tables of wandelo.mdb as the install step creates them. The
// programs never create, alter or drop a table; this code runs only in the
// install step and in the test fixtures, so that both make the same file.

#include <QString>

// The CREATE TABLE statements, generated from the column list.
QString schemaSql();

// Creates a new, empty database file at `path`. Throws DbError when the
// file exists already or cannot be written; a half-made file is removed.
void createDatabase(const QString& path);
