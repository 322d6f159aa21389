#pragma once
// Runs the real ndbtool binary in a private directory per test and reads
// back what it printed and wrote.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/NdbTestBuilder.h"

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string ReadText(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class NdbtoolFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = std::filesystem::temp_directory_path() /
                ("ndbtool_" + std::string(info->test_suite_name()) + "_" + std::to_string(::getpid()) + "_" +
                 info->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::filesystem::path Write(const std::string& name, const ndbtest::Bytes& bytes)
    {
        const std::filesystem::path p = m_dir / name;
        std::ofstream out(p, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return p;
    }

    ndbtest::Bytes ReadBytes(const std::filesystem::path& p)
    {
        const std::string s = ReadText(p);
        return ndbtest::Bytes(s.begin(), s.end());
    }

    RunResult Run(const std::string& args)
    {
        const std::filesystem::path out = m_dir / "stdout.txt";
        const std::filesystem::path err = m_dir / "stderr.txt";
        const std::string cmd = std::string(NDBTOOL_PATH) + " " + args + " >" + out.string() + " 2>" + err.string();
        const int status = std::system(cmd.c_str());
        RunResult r;
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.out = ReadText(out);
        r.err = ReadText(err);
        return r;
    }

    std::filesystem::path m_dir;
};
