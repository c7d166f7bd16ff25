// Started by ProcessInfoTest through a symbolic link: prints what the process learns about itself.
#include <iostream>

#include "platform/system/ProcessInfo.h"

int main(int argc, char** argv) {
  std::cout << platform::programFolder().string() << '\n' << platform::commandLineText(argc, argv) << '\n';
  return 0;
}
