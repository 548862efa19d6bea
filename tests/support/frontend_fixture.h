// A fixture for the control-file front end: each test runs inside a fresh
// scratch directory (the compiler resolves every file name against the
// working directory) with a freshly built catalogue and the console captured
// in memory.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "catalogue/catalogue.h"
#include "core/early_stop.h"
#include "core/run_state.h"
#include "support/test_support.h"

namespace cmd7730 {

class FrontendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    st = std::make_unique<RunState>();
    st->console.open_memory();
    build_catalogue(*st);
  }
  void TearDown() override {
    st.reset();  // closes files in the scratch directory before it goes
    std::filesystem::current_path(previous_);
  }

  const std::string& console() const { return st->console.captured(); }

  // Runs `fn`; returns the status of the EarlyStop it throws, or 0.
  template <typename Fn>
  int stop_status(Fn&& fn) {
    return testing::early_stop_status(fn);
  }

  testing::ScratchDir dir;
  std::unique_ptr<RunState> st;

 private:
  std::filesystem::path previous_;
};

}  // namespace cmd7730
