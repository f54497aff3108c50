#include "tests/support/test_support.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace vortest {

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "vortest-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
}

ScopedEnv::ScopedEnv(const char* name, const char* value) : m_name(name)
{
    const char* old = std::getenv(name);
    m_had = old != nullptr;
    if (old)
        m_old = old;
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
}

ScopedEnv::~ScopedEnv()
{
    if (m_had)
        setenv(m_name.c_str(), m_old.c_str(), 1);
    else
        unsetenv(m_name.c_str());
}

ScopedCwd::ScopedCwd(const fs::path& dir) : m_old(fs::current_path())
{
    fs::current_path(dir);
}

ScopedCwd::~ScopedCwd()
{
    std::error_code ec;
    fs::current_path(m_old, ec);
}

void WriteBytes(const fs::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return std::string(std::istreambuf_iterator<char>(in), {});
}

namespace {
const char* const kDataFolders[] = {"MONT", "CNC", "OLD_MONT", "MAT", "PED", "CHP", "TMP",
                                    "CFG", "HLP", "REL", "EXPORT", "IMPORT", "MRP", "LANG"};
}

TestInstallation::TestInstallation() : m_env("VORLANE_INI_DIR", m_ini.path().c_str())
{
    for (const char* name : kDataFolders)
        fs::create_directory(m_base.path() / name);
}

}  // namespace vortest
