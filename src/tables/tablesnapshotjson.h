#pragma once

// The snapshot of a table in the form the designer script reads and writes:
//   { "groups": [ { "tag": "THEAD" | "TBODY" | "TFOOT" | "", "attributes": [[name, value]...],
//                   "rows": [ { "attributes": [...],
//                               "cells": [ { "tag": "TD" | "TH", "rowSpan": n, "colSpan": n,
//                                            "attributes": [...], "html": "..." } ] } ] } ],
//     "origin": { "group": g, "row": r, "cell": c } }   (origin only when known)
// An empty group tag stands for rows that are children of the table itself.

#include "tables/tablesnapshot.h"

#include <optional>

class QJsonObject;

namespace korvel {

QJsonObject tableSnapshotToJson(const TableSnapshot &snapshot);
// Empty when the object is not a snapshot: a part missing or of the wrong kind, a cell tag other
// than TD or TH. Tags are taken in any case; spans are held to what the engine allows.
std::optional<TableSnapshot> tableSnapshotFromJson(const QJsonObject &json);

} // namespace korvel
