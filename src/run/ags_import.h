// settle import-ags FILE.ags PROJECT.toml: the oedometer tests of an AGS4
// file as curve soils of a project file, new or already there.
#pragma once

#include <ostream>
#include <string>

namespace run {

// Reads the specimens of `ags_file` and adds a curve soil for each to the
// soils of `project_file` (TOML or JSON by its name), which it creates when
// it does not exist. A project file already there is read for its form only
// (it may still lack its layers) and keeps everything else; a soil name it
// already has stops the import. In a US project the curves' pressures are
// converted to ksf and their cv to ft2. The findings go to `console`; the
// exit status is the program's.
int import_ags(std::ostream& console, const std::string& ags_file, const std::string& project_file);

}  // namespace run
