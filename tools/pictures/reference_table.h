#pragma once

#include <QImage>

// The picture of the whole conversion table: pairs in chalk on a blackboard and a
// column of printed pairs beside it. Needs loadTables() first.
QImage makeReferenceTable();
