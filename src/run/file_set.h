// The program's files: the four names from names.dat and the four units
// opened under them.
#pragma once

#include <array>
#include <fstream>
#include <memory>
#include <string>

#include "layout/record_reader.h"
#include "layout/record_writer.h"
#include "run/output_commit.h"

namespace run {

constexpr int kNamesUnit = 2;
constexpr int kInputUnit = 5;
constexpr int kReportUnit = 6;
constexpr int kAuxiliaryUnit = 4;
constexpr int kTraceUnit = 7;

struct FileNames {
  // Input, report, auxiliary data and trace file, trimmed; empty when not read.
  std::array<std::string, 4> names;
  bool found = false;     // names.dat exists
  int lines_read = 0;     // of the four
  bool complete = false;  // all four lines were read
};

// Reads the four names from names.dat in the current directory. A missing or
// short file leaves the names not read empty and `complete` false.
FileNames read_file_names();

// Raises the fatal name-clash error when an output name (lines 2 to 4)
// denotes the problem file, names.dat or an earlier output: the same file by
// its identity where it exists, else by its normalised absolute path. Empty
// names are left to the opening, which fails on them. Opens nothing.
void check_names_apart(const FileNames& names);

// True when the names `a` and `b` denote one file, as above.
bool same_file(const std::string& a, const std::string& b);

// The full path under which a trimmed name is reported: the name itself when
// absolute, else the current directory, "/" and the name (on Windows a
// backslash, and a name with a drive letter or a leading slash or backslash
// is kept as given).
std::string full_path(const std::string& name);

// Raises the fatal error that opening output unit `unit` under `name` would
// raise for a name that is empty, a folder, in a folder that does not exist,
// or a file or folder that may not be written; creates and changes nothing. For a program that
// writes none of the four files but must end where settle ends.
void check_output_name(int unit, const std::string& name);

// An input unit opened on an existing file. The program never creates a file
// it only reads.
class InputFile {
 public:
  InputFile(int unit, const std::string& name);
  layout::RecordReader& reader() { return reader_; }
  // The file's bytes, for a reader of its own (a project file's).
  std::istream& stream() { return stream_; }
  void close() { stream_.close(); }

 private:
  std::ifstream stream_;
  layout::RecordReader reader_;
};

// An output unit, written to a temporary file beside the file it names and
// put in that file's place by commit(); records end with CR LF. Until then
// the file is as it was, and the temporary file goes with the object.
class OutputFile {
 public:
  OutputFile(int unit, const std::string& name);
  layout::RecordWriter& writer() { return writer_; }
  // Flushes and closes; a failure is a fatal write error.
  void close();
  // Puts what was written in the file's place; a failure is a fatal write error.
  void commit();
  StagedOutput& staged() { return staged_; }

 private:
  StagedOutput staged_;
  layout::RecordWriter writer_;
};

// The four units, opened in the order input, report, auxiliary data, trace: a
// unit that cannot be opened ends the run before the later ones are opened.
struct FileSet {
  explicit FileSet(const FileNames& names);
  InputFile input;
  OutputFile report;
  OutputFile auxiliary;
  OutputFile trace;

  // Creates the output files that do not exist yet, empty (an existing one
  // is replaced only by close()).
  void create_missing_outputs();

  // Closes the input and every output (a failure is a fatal write error and
  // replaces nothing), then puts the report, the auxiliary data file and the
  // trace file in their places.
  void close();
};

// What a run that fails leaves of the outputs of `names`, for the console:
// "no file was replaced: a.rpt and a.aux are as they were before the run",
// naming the outputs that exist as files now (before the run); empty when
// there is none.
std::string kept_outputs_note(const FileNames& names);

}  // namespace run
