// tests/unit/package/key_file_fixture.h: a fixture that points the trusted_keys lookup
// at a private temporary directory and restores the environment afterwards.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace tarvik::test {

// Remembers one environment variable and puts it back on destruction.
class ScopedEnv {
public:
    explicit ScopedEnv(const char* name) : name_(name) {
        if (const char* value = getenv(name)) saved_ = value;
    }
    ~ScopedEnv() {
        if (saved_) setenv(name_.c_str(), saved_->c_str(), 1);
        else unsetenv(name_.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> saved_;
};

class KeyFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tarvik_keys_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        key_file_ = dir_ + "/trusted_keys";
        setenv("TARVIK_TRUSTED_KEYS", key_file_.c_str(), 1);
    }
    void TearDown() override {
        std::remove(key_file_.c_str());
        rmdir(dir_.c_str());
    }

    void write_key_file(const std::string& text) {
        std::FILE* file = std::fopen(key_file_.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        ASSERT_EQ(std::fwrite(text.data(), 1, text.size(), file), text.size());
        std::fclose(file);
    }

    ScopedEnv override_{"TARVIK_TRUSTED_KEYS"};
    ScopedEnv home_{"HOME"};
    ScopedEnv drive_{"HOMEDRIVE"};
    ScopedEnv home_path_{"HOMEPATH"};
    std::string dir_;
    std::string key_file_;
};

}  // namespace tarvik::test
