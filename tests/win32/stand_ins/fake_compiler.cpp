// A stand-in for the engine's compiler, for the syntax check's end-to-end
// test only. Beside itself it writes the arguments it received, one a line
// ("received.txt"), and a copy of the script named after -script
// ("seen.script"); as its output it prints "reply.txt" byte for byte.
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

static std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

int main(int argc, char** argv) {
  char self[MAX_PATH] = {0};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder = self;
  folder.erase(folder.rfind('\\') + 1);

  std::ofstream received(folder + "received.txt", std::ios::binary);
  for (int i = 1; i < argc; ++i) {
    received << argv[i] << '\n';
    if (std::string(argv[i]) == "-script" && i + 1 < argc)
      std::ofstream(folder + "seen.script", std::ios::binary) << ReadWhole(argv[i + 1]);
  }
  // Straight to the handle: the C library's text mode would turn each LF
  // of the reply into CR LF.
  const std::string reply = ReadWhole(folder + "reply.txt");
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), reply.data(), static_cast<DWORD>(reply.size()), &written, nullptr);
  return 0;
}
