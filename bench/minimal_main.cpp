// The yardstick for whole-process time: a C++ program that only writes its
// arguments.  cmd7730's start-up and run are compared against it.
#include <cstdio>

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) std::fputs(argv[i], stdout);
  return 0;
}
