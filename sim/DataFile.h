#pragma once

#include "DataSet.h"

#include <QString>

#include <optional>

// The simulator's data set as a commented, INI-like text file:
//
//   [lists]       version=017
//   [recipients]  0012=Ann Baker
//   [groups]      G001=Night shift: 0012,0013
//   [canned]      one message per line
//   [settings]    notice=2  fail=0013,0021  pending=0016  maxclients=8
//
// Lines starting with # or ; are comments. write() produces the full,
// commented form that --write-demo-data saves.
namespace DataFile {

// The data set in `text`, or nothing with the first fault in `error`.
std::optional<DataSet> parse(const QString &text, QString &error);
QString write(const DataSet &data);

// The first fault of a data set the simulator could not serve faithfully
// (bad serial numbers or names, unknown members, lists too long for one
// frame), or an empty text when it is sound.
QString validate(const DataSet &data);

std::optional<DataSet> load(const QString &path, QString &error);
bool save(const QString &path, const DataSet &data, QString &error);

} // namespace DataFile
