// Prints the MD5 and the SHA-256 of a file, read once and digested on two threads: what stamp does, for
// bench/compare_sha256.sh to time against the single digests.
#include <cstdio>
#include <exception>

#include "fields/file_digests.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quillory_file_digests FILE\n");
    return 2;
  }
  try {
    const quillory::FileDigests digests = quillory::Md5AndSha256OfFile(argv[1]);
    std::printf("%s  %s\n", quillory::Md5ToText(digests.md5).c_str(),
                quillory::Sha256ToText(digests.sha256).c_str());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "quillory_file_digests: %s\n", error.what());
    return 1;
  }
  return 0;
}
