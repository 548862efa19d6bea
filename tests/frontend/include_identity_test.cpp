// Which includes count as a cycle.  The preprocessor compares files by
// device and inode first and resolves paths only for a match, so these pin
// the outcome for the cases where the two tests disagree.
#include <filesystem>
#include <string>

#include "core/output_file.h"
#include "frontend/preprocess.h"
#include "support/frontend_fixture.h"

namespace cmd7730 {
namespace {

class IncludeIdentityTest : public FrontendTest {
 protected:
  std::string run(const std::string& name) {
    OutputFile tmp;
    tmp.open_memory();
    const int status = stop_status([&] { createTmpCmdFile(*st, name, tmp); });
    return status != 0 ? "stop " + std::to_string(status) : tmp.captured();
  }
};

TEST_F(IncludeIdentityTest, OneFileIncludedOverAndOverSideBySideIsNoCycle) {
  dir.write("top.txt", "include part.inc\ninclude ./part.inc\ninclude part.inc\n");
  dir.write("part.inc", "x = 1\n");
  EXPECT_EQ(run("top.txt"), "x = 1\n\nx = 1\n\nx = 1\n\n\n");
  EXPECT_EQ(console(), "");
}

TEST_F(IncludeIdentityTest, AHardLinkIsFollowedUntilItsOwnPathComesRound) {
  // link.txt is a second name of a.txt, not a second spelling of its path:
  // a.txt -> link.txt -> link.txt is where the cycle is caught.
  dir.write("a.txt", "a\ninclude link.txt\n");
  std::filesystem::create_hard_link("a.txt", "link.txt");
  EXPECT_EQ(run("a.txt"), "stop 1");
  EXPECT_EQ(console(), "Error: Include cycle: link.txt includes itself\n");

  // A symbolic link resolves to the file itself: caught at once.
  st->console.open_memory();
  dir.write("b.txt", "b\ninclude sym.txt\n");
  std::filesystem::create_symlink("b.txt", "sym.txt");
  EXPECT_EQ(run("b.txt"), "stop 1");
  EXPECT_EQ(console(), "Error: Include cycle: sym.txt includes itself\n");
}

}  // namespace
}  // namespace cmd7730
