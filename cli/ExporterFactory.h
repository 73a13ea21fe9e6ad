// The exporter for a format name or file extension, with the command line's settings applied.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli/Options.h"
#include "engine/IB_Ostrel.h"

namespace ostrel::cli {

// The format names, in the order `--help` lists them.
const std::vector<std::string>& FormatNames();
// The format of a name or, when `name` is empty, of the output file's extension; empty when
// neither names a format.
std::string ResolveFormat(const std::string& name, const std::string& outputFile);
// A configured exporter; `fileName` is where a file exporter writes.
std::unique_ptr<TIB_Ostrel> CreateExporter(const std::string& format, const TCliOptions& options,
                                           const std::string& fileName);
// The rows the last run left out because of a format's row limit.
int64_t RowsLeftOut(TIB_Ostrel& exporter);
bool WritesFile(const std::string& format);

}  // namespace ostrel::cli
