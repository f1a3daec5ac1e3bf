#pragma once
// The import sources the import dialog offers, in the order it lists them.

#include "import/BookmarkImporter.h"

#include <memory>
#include <vector>

std::vector<std::unique_ptr<BookmarkImporter>> createImporters();
