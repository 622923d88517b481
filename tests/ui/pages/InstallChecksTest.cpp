#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ui/pages/InstallChecks.h"

namespace {

TEST(InstallFolder, TheProductFolderIsStrippedOnlyAsAWholeLastPiece) {
    const std::string name = "Velmora AC";
    EXPECT_EQ(StripProductFolder("D:\\Apps\\Velmora AC", name), "D:\\Apps");
    EXPECT_EQ(StripProductFolder("D:\\Velmora AC", name), "D:");
    EXPECT_EQ(StripProductFolder("D:\\MyVelmora AC", name), "D:\\MyVelmora AC");
    EXPECT_EQ(StripProductFolder("D:\\Apps", name), "D:\\Apps");
    EXPECT_EQ(StripProductFolder("Velmora AC", name), "Velmora AC");

    // What the folder browser's choice puts into the path box.
    EXPECT_EQ(PathBoxAfterBrowse("D:\\", name), "D:\\Velmora AC");
    EXPECT_EQ(PathBoxAfterBrowse("D:\\Apps\\Velmora AC", name), "D:\\Apps\\Velmora AC");
    EXPECT_EQ(PathBoxAfterBrowse("D:\\Apps\\Velmora AC\\", name), "D:\\Apps\\Velmora AC");
    EXPECT_EQ(PathBoxAfterBrowse("D:\\MyVelmora AC", name), "D:\\MyVelmora AC\\Velmora AC");
}

TEST(InstallFolder, FixedFeaturesAndSpaceByEdition) {
    using V = std::vector<int32_t>;
    EXPECT_EQ(FixedFeatures(ProductVariant::AC, UiLanguage::English), (V{0, 3, 5}));
    EXPECT_EQ(FixedFeatures(ProductVariant::AC, UiLanguage::Chinese), (V{0, 3, 5, 9, 11}));
    EXPECT_EQ(FixedFeatures(ProductVariant::SL, UiLanguage::Chinese), (V{0, 10}));
    EXPECT_EQ(FixedFeatures(ProductVariant::VS, UiLanguage::English), V{});
    EXPECT_EQ(RequiredSpaceMb(ProductVariant::SL), 535);
    EXPECT_EQ(RequiredSpaceMb(ProductVariant::AC), 548);
}

// A scripted user and machine: the answers in order, and what the checks did.
struct Script {
    std::vector<int> answers;
    bool folderEmpty = true;
    bool userData = false;
    bool deleteFails = false;
    std::vector<std::string> seen;  // "tell 10", "ask 6", "delete <path>", "owner <path>"
    bool protectableDrive = true;
    std::string foreignOwned;  // the level another user owns, below every path that holds it

    InstallCheckHooks Hooks() {
        InstallCheckHooks hooks;
        hooks.tell = [this](MessageKind kind) {
            seen.push_back("tell " + std::to_string(static_cast<int>(kind)));
        };
        hooks.ask = [this](MessageKind kind) {
            seen.push_back("ask " + std::to_string(static_cast<int>(kind)));
            const int answer = answers.empty() ? kAnswerClosed : answers.front();
            if (!answers.empty()) {
                answers.erase(answers.begin());
            }
            return answer;
        };
        hooks.isFolderEmpty = [this](const std::string&) { return folderEmpty; };
        hooks.exists = [this](const std::string&) { return userData; };
        hooks.deleteFolder = [this](const std::string& path) {
            seen.push_back("delete " + path);
            return deleteFails;
        };
        hooks.isProtectableDrive = [this](const std::string&) { return protectableDrive; };
        hooks.foreignOwnedLevel = [this](const std::string& path) {
            seen.push_back("owner " + path);
            const bool below =
                !foreignOwned.empty() && path.compare(0, foreignOwned.size(), foreignOwned) == 0;
            return below ? foreignOwned : std::string();
        };
        return hooks;
    }
};

InstallCheckInput Input(const std::string& root, int64_t available = 1000) {
    InstallCheckInput input;
    input.root = root;
    input.folderName = "Velmora AC";
    input.userDataFolder = "C:\\Users\\Public\\Velmora AC";
    input.programFilesFolder = "C:\\Program Files (x86)\\Velmora AC";
    input.availableMb = available;
    input.requiredMb = 548;
    input.isValidRoot = [](const std::string& path) { return path.find('*') == std::string::npos; };
    return input;
}

using Seen = std::vector<std::string>;

// Who owns the product's folders is looked at for both of them, after the path and the space.
const Seen kOwnersLookedAt = {"owner D:\\Apps\\Velmora AC",
                              "owner C:\\Program Files (x86)\\Velmora AC"};

Seen Then(Seen first, const Seen& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST(InstallChecks, InTheirOrderWithEveryAnswer) {
    {
        Script script;
        EXPECT_EQ(RunInstallChecks(Input("C:\\a*b"), script.Hooks()), "");
        EXPECT_EQ(script.seen, (Seen{"tell 10"})) << "the path rule comes before the space";
    }
    {
        Script script;
        EXPECT_EQ(RunInstallChecks(Input("D:\\Apps", 547), script.Hooks()), "");
        EXPECT_EQ(script.seen, (Seen{"tell 1"}));
    }
    {
        Script script;
        EXPECT_EQ(RunInstallChecks(Input("D:\\Apps\\Velmora AC", 548), script.Hooks()), "D:\\Apps");
        EXPECT_EQ(script.seen, kOwnersLookedAt);
    }
    {
        // OK clears the folder, then the user data; both go.
        Script script{{kAnswerOk, kAnswerOk}, false, true, false, {}};
        EXPECT_EQ(RunInstallChecks(Input("D:\\Apps"), script.Hooks()), "D:\\Apps");
        EXPECT_EQ(script.seen,
                  Then(kOwnersLookedAt, {"ask 6", "delete D:\\Apps\\Velmora AC", "ask 4",
                                         "delete C:\\Users\\Public\\Velmora AC"}));
    }
    {
        // Cancel keeps both and installs.
        Script script{{kAnswerCancel, kAnswerCancel}, false, true, false, {}};
        EXPECT_EQ(RunInstallChecks(Input("D:\\Apps"), script.Hooks()), "D:\\Apps");
        EXPECT_EQ(script.seen, Then(kOwnersLookedAt, {"ask 6", "ask 4"}));
    }
    {
        // The question's own close button stops, at either question.
        Script first{{kAnswerClosed}, false, true, false, {}};
        EXPECT_EQ(RunInstallChecks(Input("D:\\Apps"), first.Hooks()), "");
        EXPECT_EQ(first.seen, Then(kOwnersLookedAt, {"ask 6"}));
        Script second{{kAnswerCancel, kAnswerClosed}, false, true, false, {}};
        EXPECT_EQ(RunInstallChecks(Input("D:\\Apps"), second.Hooks()), "");
    }
    {
        // A folder that cannot be cleared stops with its own message.
        Script folder{{kAnswerOk}, false, false, true, {}};
        EXPECT_EQ(RunInstallChecks(Input("D:\\Apps"), folder.Hooks()), "");
        EXPECT_EQ(folder.seen,
                  Then(kOwnersLookedAt, {"ask 6", "delete D:\\Apps\\Velmora AC", "tell 11"}));
        Script data{{kAnswerOk}, true, true, true, {}};
        EXPECT_EQ(RunInstallChecks(Input("D:\\Apps"), data.Hooks()), "");
        EXPECT_EQ(data.seen, Then(kOwnersLookedAt,
                                  {"ask 4", "delete C:\\Users\\Public\\Velmora AC", "tell 14"}));
    }
}

// A place the install cannot protect is refused before any question, and nothing is cleared.
TEST(InstallChecks, APlaceOtherUsersCouldChangeIsRefusedFirst) {
    {
        Script script{{kAnswerOk, kAnswerOk}, false, true, false, {}, false};
        EXPECT_EQ(RunInstallChecks(Input("D:\\Apps"), script.Hooks()), "");
        EXPECT_EQ(script.seen, (Seen{"tell 22"})) << "the drive comes first";
    }
    for (const char* owned : {"D:\\Apps", "D:\\Apps\\Velmora AC", "C:\\Program Files (x86)"}) {
        Script script{{kAnswerOk, kAnswerOk}, false, true, false, {}, true, owned};
        EXPECT_EQ(RunInstallChecks(Input("D:\\Apps"), script.Hooks()), "") << owned;
        ASSERT_FALSE(script.seen.empty());
        EXPECT_EQ(script.seen.back(), "tell 21") << owned;
        for (const std::string& seen : script.seen) {
            EXPECT_EQ(seen.rfind("delete", 0), std::string::npos) << owned;
            EXPECT_EQ(seen.rfind("ask", 0), std::string::npos) << owned;
        }
    }
    {
        // The path rule and the space still come before the place.
        Script script{{}, true, false, false, {}, false};
        EXPECT_EQ(RunInstallChecks(Input("C:\\a*b"), script.Hooks()), "");
        EXPECT_EQ(script.seen, (Seen{"tell 10"}));
    }
}

}  // namespace
