#include "app/CommandLine.h"

#include <algorithm>
#include <cctype>

#include "base/StringUtil.h"

namespace {

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && Upper(text.substr(0, prefix.size())) == prefix;
}

struct Token {
    std::string text;
    size_t start = 0;  // where it begins in the arguments
};

// Blanks separate; double quotes group and are dropped, also inside a token (KEY="a b").
std::vector<Token> Tokenize(const std::string& arguments) {
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < arguments.size()) {
        while (i < arguments.size() && (arguments[i] == ' ' || arguments[i] == '\t')) {
            ++i;
        }
        if (i >= arguments.size()) {
            break;
        }
        Token token;
        token.start = i;
        bool quoted = false;
        for (; i < arguments.size(); ++i) {
            const char c = arguments[i];
            if (c == '"') {
                quoted = !quoted;
            } else if (!quoted && (c == ' ' || c == '\t')) {
                break;
            } else {
                token.text += c;
            }
        }
        tokens.push_back(token);
    }
    return tokens;
}

std::vector<std::string> SplitKeys(const std::string& value) {
    std::vector<std::string> keys;
    for (const std::string& piece : SplitString(value, ',')) {
        if (!piece.empty()) {
            keys.push_back(piece);
        }
    }
    return keys;
}

void SetAction(CCommandLine* line, RequestedAction action, const std::string& given) {
    if (line->actionGiven && line->action != action) {
        line->error = "more than one action: " + given;
        return;
    }
    line->action = action;
    line->actionGiven = true;
}

// /quiet with /passive has no meaning a deployment tool could rely on: refused like two actions.
void SetUiLevel(CCommandLine* line, UiLevel level, const std::string& given) {
    if (line->uiLevelGiven && line->uiLevel != level) {
        line->error = "/quiet and /passive together: " + given;
        return;
    }
    line->uiLevel = level;
    line->uiLevelGiven = true;
}

// KEY=value switches; false when the token is none of them.
bool ParseProperty(const std::string& token, CCommandLine* line) {
    const size_t equals = token.find('=');
    if (equals == std::string::npos) {
        return false;
    }
    const std::string key = Upper(token.substr(0, equals));
    const std::string value = token.substr(equals + 1);
    if (key == "INSTALLDIR" || key == "/DIR") {
        if (value.empty()) {
            line->error = "an empty folder: " + token;
        }
        line->installDir = value;
    } else if (key == "ADDLOCAL") {
        line->addLocal = SplitKeys(value);
        if (line->addLocal->empty()) {
            line->error = "no feature in " + token;
        }
    } else if (key == "REMOVE") {
        line->remove = SplitKeys(value);
        if (line->remove.empty()) {
            line->error = "no feature in " + token;
        }
    } else if (key == "REMOVEDATA") {
        if (value != "0" && value != "1") {
            line->error = "REMOVEDATA takes 0 or 1: " + token;
        }
        line->removeData = value == "1";
    } else if (key == "/LOG") {
        if (value.empty()) {
            line->error = "an empty log path: " + token;
        }
        line->logPath = value;
    } else {
        line->error = "unknown switch: " + token;
    }
    return true;
}

}  // namespace

std::string ArgumentsOf(const std::string& commandLine) {
    size_t i = 0;
    while (i < commandLine.size() && commandLine[i] == ' ') {
        ++i;
    }
    if (i < commandLine.size() && commandLine[i] == '"') {
        const size_t close = commandLine.find('"', i + 1);
        i = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && commandLine[i] != ' ' && commandLine[i] != '\t') {
            ++i;
        }
    }
    return commandLine.substr(i);
}

CCommandLine ParseCommandLine(const std::string& arguments) {
    CCommandLine line;
    const std::vector<Token> tokens = Tokenize(arguments);
    for (size_t i = 0; i < tokens.size() && line.error.empty(); ++i) {
        const std::string& token = tokens[i].text;
        const std::string word = Upper(token);
        if (StartsWithNoCase(token, "/D=")) {
            // NSIS: the folder is the rest of the line, unquoted, blanks and all.
            std::string rest = arguments.substr(tokens[i].start + 3);
            while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) {
                rest.pop_back();
            }
            if (rest.empty()) {
                line.error = "an empty folder: /D=";
            }
            line.installDir = rest;
            break;
        }
        if (word == "/QUIET" || word == "/Q" || word == "/S" || word == "/SILENT" ||
            word == "/VERYSILENT") {
            SetUiLevel(&line, UiLevel::Quiet, token);
        } else if (word == "/PASSIVE") {
            SetUiLevel(&line, UiLevel::Passive, token);
        } else if (word == "/INSTALL") {
            SetAction(&line, RequestedAction::Install, token);
        } else if (word == "/MODIFY") {
            SetAction(&line, RequestedAction::Modify, token);
        } else if (word == "/REPAIR") {
            SetAction(&line, RequestedAction::Repair, token);
        } else if (word == "/UNINSTALL" || word == "/X") {
            SetAction(&line, RequestedAction::Uninstall, token);
        } else if (word == "/NORESTART") {
            // Accepted: the installer never restarts the machine.
        } else if (word == "/?" || word == "/HELP") {
            line.help = true;
        } else if (word == "/LOG" || word == "/L") {
            if (i + 1 >= tokens.size() || tokens[i + 1].text.empty()) {
                line.error = token + " needs a file";
            } else {
                line.logPath = tokens[++i].text;
            }
        } else if (!ParseProperty(token, &line)) {
            line.error = "unknown switch: " + token;
        }
    }
    if (line.error.empty() && !line.remove.empty() && line.action != RequestedAction::Modify) {
        line.error = "REMOVE goes with /modify";
    }
    return line;
}

std::optional<std::vector<int32_t>> ResolveFeatureKeys(const std::vector<std::string>& keys,
                                                       const std::vector<int32_t>& offered,
                                                       std::string* error) {
    std::vector<int32_t> features{kBasicFeature};
    auto add = [&features](int32_t feature) {
        if (std::find(features.begin(), features.end(), feature) == features.end()) {
            features.push_back(feature);
        }
    };
    for (const std::string& key : keys) {
        if (Upper(key) == "ALL") {
            for (int32_t feature : offered) {
                add(feature);
            }
            continue;
        }
        std::optional<int32_t> found;
        for (int32_t feature : offered) {
            const auto name = FeatureName(feature);
            if (name && Upper(*name) == Upper(key)) {
                found = feature;
            }
        }
        if (!found) {
            *error = "not a feature of this edition: " + key;
            return std::nullopt;
        }
        add(*found);
    }
    return features;
}

std::string UsageText() {
    return "setup.exe [/quiet | /passive] [/install | /modify | /repair | /uninstall]\n"
           "          [INSTALLDIR=\"folder\"] [ADDLOCAL=key,key|ALL] [REMOVE=key,key]\n"
           "          [REMOVEDATA=0|1] [/log \"file\"] [/norestart] [/?]\n"
           "\n"
           "/quiet (/q, /s, /silent, /verysilent)  no window of any kind\n"
           "/passive                              the progress page only: no Cancel, no question\n"
           "/install                              install, or upgrade an older version (default)\n"
           "/modify                               add ADDLOCAL and remove REMOVE features\n"
           "/repair                               reinstall the installed features\n"
           "/uninstall (/x)                       remove the product\n"
           "INSTALLDIR=\"...\" (/DIR=\"...\", /D=...)  the folder; /D= comes last, unquoted\n"
           "ADDLOCAL=...                          features by key, or ALL\n"
           "REMOVE=...                            features to remove, with /modify\n"
           "REMOVEDATA=0|1                        with /uninstall: 1 deletes the user data (0 "
           "keeps it)\n"
           "/log \"file\" (/l, /LOG=\"file\")         where the log goes\n"
           "/norestart                            accepted; the installer never restarts\n"
           "\n"
           "Exit codes: 0 success, 3010 restart needed, 1602 cancelled, 1603 failed,\n"
           "112 disk full, 1605 nothing installed, 1618 in use or another copy at work,\n"
           "1638 another edition or version installed, 1639 bad command line.\n";
}
