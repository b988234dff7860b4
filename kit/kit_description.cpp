#include "kit/kit_description.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "core/components.h"
#include "core/text.h"
#include "kit/kit_error.h"

namespace korven::kit {
namespace {

namespace fs = std::filesystem;

// Splits off the first blank-separated word; the rest is trimmed.
std::pair<std::string, std::string> FirstWord(const std::string& text) {
    size_t end = text.find_first_of(" \t");
    if (end == std::string::npos) return {text, {}};
    return {text.substr(0, end), Trimmed(text.substr(end))};
}

class Parser {
public:
    Parser(const fs::path& base, const std::string& fileName) : base_(base), fileName_(fileName) {}

    void Line(int number, std::string text) {
        line_ = number;
        text = Trimmed(text.substr(0, text.find('#')));
        if (text.empty()) return;
        auto [key, rest] = FirstWord(text);
        if (key == "install") {
            Install(rest);
        } else if (key == "upgrade") {
            description_.upgrade.push_back({ExistingFolder(rest, "upgrade"), line_});
        } else if (key == "component") {
            Component(rest);
        } else {
            Fail("cheie necunoscuta \"" + key + "\" (se asteapta install, upgrade sau component)");
        }
    }

    KitDescription Finish() {
        line_ = 0;
        if (description_.installerLine == 0) Fail("lipseste linia \"install CALE\" (programul INSTALL.EXE)");
        if (description_.upgrade.empty()) Fail("lipseste linia \"upgrade DOSAR\" (arhiva UPGRADE.1)");
        return std::move(description_);
    }

private:
    [[noreturn]] void Fail(const std::string& message) const {
        std::string where = fileName_;
        if (line_ > 0) where += ", linia " + std::to_string(line_);
        throw KitError(where + ": " + message);
    }

    fs::path Resolve(const std::string& path) const {
        fs::path given(path);
        return given.is_absolute() ? given : base_ / given;
    }

    void Install(const std::string& rest) {
        if (rest.empty()) Fail("install asteapta calea programului INSTALL.EXE");
        if (description_.installerLine != 0) {
            Fail("install apare a doua oara (prima data pe linia " + std::to_string(description_.installerLine) + ")");
        }
        fs::path file = Resolve(rest);
        std::error_code error;
        if (!fs::is_regular_file(file, error)) Fail("fisierul " + file.string() + " nu exista");
        description_.installer = file;
        description_.installerLine = line_;
    }

    fs::path ExistingFolder(const std::string& path, const std::string& key) const {
        if (path.empty()) Fail(key + " asteapta un dosar");
        fs::path folder = Resolve(path);
        std::error_code error;
        if (!fs::is_directory(folder, error)) Fail("dosarul " + folder.string() + " nu exista");
        return folder;
    }

    void Component(const std::string& rest) {
        auto [rawName, path] = FirstWord(rest);
        if (rawName.empty() || path.empty()) Fail("component asteapta un nume si un dosar");
        std::string name = UpperAscii(rawName);
        if (!ComponentRow(name)) {
            Fail("componenta " + name + " nu este cunoscuta de programul de instalare (se asteapta una din " +
                 ComponentList() + ")");
        }
        fs::path folder = ExistingFolder(path, "component");
        auto& components = description_.components;
        auto found = std::find_if(components.begin(), components.end(),
                                  [&](const ComponentSource& component) { return component.name == name; });
        if (found == components.end()) found = components.insert(components.end(), ComponentSource{name, {}});
        found->folders.push_back({folder, line_});
    }

    fs::path base_;
    std::string fileName_;
    int line_ = 0;
    KitDescription description_;
};

}  // namespace

KitDescription ParseKitDescription(const std::string& text, const fs::path& base, const std::string& fileName) {
    Parser parser(base, fileName);
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) parser.Line(number, line);
    return parser.Finish();
}

KitDescription ReadKitDescription(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw KitError("descrierea " + file.string() + " nu poate fi citita");
    std::ostringstream text;
    text << in.rdbuf();
    return ParseKitDescription(text.str(), file.parent_path(), file.string());
}

}  // namespace korven::kit
