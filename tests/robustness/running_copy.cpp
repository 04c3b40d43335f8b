// One running copy of the program, on the in-memory platform, in a separate process: the
// settings tests start several of these on one folder and kill them at will.
//
//   tivarel_running_copy FOLDER ROLE COUNT [PADDING]
//
// Waits until its standard input is closed, so that copies start writing at the same moment,
// then starts up and, COUNT times, does what ROLE says and writes the number of the round done
// to standard output:
//   b     opens the B address BAddress(round, PADDING)
//   x     opens the X address XAddress(round)
//   part  clicks the part switch
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/start_up.h"
#include "platform/fake/fake.h"
#include "tests/robustness/running_copy.h"

namespace {

using enum Control;

void Fill(Control box, std::string_view text) {
  fake::Click(box);
  fake::SelectAll();
  fake::Paste(text);
}

void Report(long round) {
  const std::string line = std::to_string(round) + "\n";
  if (write(STDOUT_FILENO, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
    std::exit(3);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4)
    return 2;
  const std::string folder = argv[1];
  const std::string role = argv[2];
  const long count = std::atol(argv[3]);
  const size_t padding = argc > 4 ? std::strtoul(argv[4], nullptr, 10) : 0;

  char byte;
  while (read(STDIN_FILENO, &byte, 1) > 0) {
  }

  fake::ResetMachine();
  fake::SetExecutablePath(folder + "/tivarel");
  fake::StartProcess();
  fake::SetSession([&] {
    if (role == "x")
      fake::Click(按钮13);  // the X rows are in view only when expanded
    for (long round = 1; round <= count; ++round) {
      if (role == "b") {
        Fill(编辑框1, running_copy::BAddress(round, padding));
        fake::Click(按钮1);
      } else if (role == "x") {
        Fill(编辑框4, running_copy::XAddress(round));
        fake::Click(按钮8);
      } else if (role == "part") {
        fake::Click(选择框3);
      }
      Report(round);
    }
  });
  char name[] = "tivarel";
  char* args[] = {name, nullptr};
  return fake::EndProcess(RunTivarel(1, args));
}
