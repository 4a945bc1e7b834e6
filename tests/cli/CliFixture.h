#pragma once
// A scratch folder with a diary path in it, and tavrin-cli run in-process on it.

#include "cli/Cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace tavrin::cli::test {

class CliFixture : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("tavrin-cli-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        diary = (dir / "Journal.tni").string();
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    struct Result {
        int status;
        std::string out, err;
    };
    Result run(const std::vector<std::string>& args, const std::string& input = "",
               std::optional<std::string> password = std::string("secret")) {
        std::istringstream in(input);
        std::ostringstream out, err;
        Cli cli(in, out, err, [&] { return password; });
        const int s = cli.run(args);
        return {s, out.str(), err.str()};
    }

    // The fields a new diary's first entry needs besides its own.
    static std::string newDiary(const std::string& password = "secret") {
        return R"("password": ")" + password +
               R"(", "security": [{"question": "Pet?", "answer": "Rex"}], )";
    }

    std::filesystem::path dir;
    std::string diary;
};

} // namespace tavrin::cli::test
