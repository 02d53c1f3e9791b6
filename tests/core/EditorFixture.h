#pragma once
// An editor in a private temporary folder with a fake host, started as the program starts.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>

#include "Editor.h"
#include "FakeHost.h"

namespace sono::test {

class EditorFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device seed;
        dir = std::filesystem::temp_directory_path() /
              ("sonotest-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(dir / "settings");
        std::filesystem::create_directories(dir / "temp");
        editor = std::make_unique<Editor>(
            host, EditorFolders{dir / "settings", dir / "temp", dir.string() + "/", true});
        editor->startUp();
        host.statusLog.clear();
    }
    void TearDown() override {
        editor.reset();
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    std::string path(const std::string& name) const { return (dir / name).string(); }

    FakeHost host;
    std::filesystem::path dir;
    std::unique_ptr<Editor> editor;
};

} // namespace sono::test
