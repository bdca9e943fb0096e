#pragma once

#include "QuickFindIndex.h"

#include <functional>

namespace tavirel::data {
class Database;
}

namespace tavirel::quickfind {

// Asked between rows: true stops a read early (what was read so far is returned).
using StopAsked = std::function<bool()>;

// Takes entries as they are read, a batch at a time.
using EntrySink = std::function<void(QList<Entry>&&)>;

// The entries of the reference database: herbs by Pinyin and Latin name, formulas by name, and
// by their Chinese, tone-marked, English and other names where the file has those columns.
QList<Entry> readReferenceEntries(data::Database& reference, const StopAsked& stop = {});
// The same in batches, so a caller that indexes them as they come never holds them all.
void readReferenceEntries(data::Database& reference, const EntrySink& sink,
                          const StopAsked& stop = {});
// The user's own herbs (Pinyin and Latin name) and formulas (name).
QList<Entry> readOwnEntries(data::Database& own);

} // namespace tavirel::quickfind
