// A stand-in for the suite's tool programs in tests: it records its start and ends.
// Each start appends "<own file name>|<command-line arguments>" in UTF-8 to "started.log"
// beside it.
#include <windows.h>

#include "tools/stub/start_record.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return ss::stub::AppendStartRecord() ? 0 : 1;
}
