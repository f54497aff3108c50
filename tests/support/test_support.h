#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vortest {

namespace fs = std::filesystem;

// A fresh folder below the system temp folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

// Sets (or with nullptr unsets) an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_name;
    std::string m_old;
    bool m_had;
};

// Changes the current directory for the life of the object.
class ScopedCwd {
public:
    explicit ScopedCwd(const fs::path& dir);
    ~ScopedCwd();
    ScopedCwd(const ScopedCwd&) = delete;
    ScopedCwd& operator=(const ScopedCwd&) = delete;

private:
    fs::path m_old;
};

void WriteBytes(const fs::path& path, std::string_view bytes);
std::string ReadBytes(const fs::path& path);

// A small installation: a base folder with every data folder, and a separate
// settings folder that VORLANE_INI_DIR points at while the object lives.
class TestInstallation {
public:
    TestInstallation();
    const fs::path& base() const { return m_base.path(); }
    const fs::path& iniDir() const { return m_ini.path(); }

private:
    TempDir m_base;
    TempDir m_ini;
    ScopedEnv m_env;
};

}  // namespace vortest
