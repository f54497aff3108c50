#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace vor {

// Base of every error the core throws; what() is the text the guard shows.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An index outside a fixed-capacity array, or more entries than a list holds.
class RangeError : public Error {
public:
    explicit RangeError(const std::string& what) : Error(what) {}
};

// Checked integer arithmetic that does not fit, or a real that has no integer.
class OverflowError : public Error {
public:
    explicit OverflowError(const std::string& what) : Error(what) {}
};

// A file operation that failed; carries the path and the errno-style code.
class IoError : public Error {
public:
    IoError(std::filesystem::path path, int code, const std::string& action);
    const std::filesystem::path& path() const { return m_path; }
    int code() const { return m_code; }

private:
    std::filesystem::path m_path;
    int m_code;
};

}  // namespace vor
