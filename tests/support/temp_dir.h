#pragma once
// A fresh temporary folder for one test, removed with everything in it.

#include <filesystem>
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Whole file as bytes; empty when it cannot be read.
std::string ReadAll(const std::string& path);
// Writes bytes as they are; fails the test when it cannot.
void WriteAll(const std::string& path, const std::string& bytes);
