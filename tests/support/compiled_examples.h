// The bundled examples compiled into a scratch directory with every register
// output selected, for the tests that read those outputs back: each control
// file gets `print hfile`, `print zq220`, `print sim` and `print table`
// appended (not every example selects them all), and the tables the runs
// wrote can be read back as rows of values.
#pragma once

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace cmd7730::testing {

using TableRows = std::map<std::string, std::vector<long>>;

class CompiledExamples {
 public:
  // Copies the examples and compiles every control file among them, plus
  // the `extra` control files (file name to text) written beside them.
  explicit CompiledExamples(const std::map<std::string, std::string>& extra = {}) {
    namespace fs = std::filesystem;
    std::vector<std::string> controls;
    for (const auto& e : fs::directory_iterator(fs::path(CMD7730_SOURCE_DIR) / "examples")) {
      const std::string ext = e.path().extension().string();
      if (ext != ".txt" && ext != ".inc" && ext != ".coef") continue;
      std::string text = read_file(e.path().string());
      if (ext == ".txt") {
        text += "\nprint hfile\nprint zq220\nprint sim\nprint table\n";
        controls.push_back(e.path().filename().string());
      }
      dir_.write(e.path().filename().string(), text);
    }
    for (const auto& [name, text] : extra) {
      dir_.write(name, text);
      controls.push_back(name);
    }
    for (const std::string& control : controls) {
      const std::string stem = control.substr(0, control.find('.'));
      statuses_[stem] = run_binary(dir_.path(), {control}).status;
    }
  }

  const ScratchDir& dir() const { return dir_; }

  // The compiled control files by output name (the file name cut at its
  // first '.'), with the exit status of each compile.
  const std::map<std::string, int>& statuses() const { return statuses_; }

  // Returns the rows of the table `stem`.tbl: one value for a chip-wide
  // variable, four (A..D) for a per-channel one.  Rows of wide (real)
  // variables stop at their first decimal point.
  TableRows table(const std::string& stem) const {
    TableRows rows;
    std::istringstream lines(dir_.read(stem + ".tbl"));
    for (std::string line; std::getline(lines, line);) {
      std::istringstream words(line);
      std::string name;
      words >> name;
      for (long v; words >> v;) rows[name].push_back(v);
    }
    return rows;
  }

 private:
  ScratchDir dir_;
  std::map<std::string, int> statuses_;
};

}  // namespace cmd7730::testing
