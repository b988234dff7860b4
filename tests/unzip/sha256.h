// SHA-256 (FIPS 180-4), to compare extracted files with the corpus manifest.
#pragma once

#include <string>

namespace korven::unzip::test {

// Lower-case hex digest of the file's content; empty if it cannot be read.
std::string Sha256OfFile(const std::string& path);
std::string Sha256OfBytes(const std::string& bytes);

}  // namespace korven::unzip::test
