#include "shell/unattended_switches.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "core/text.h"

namespace {

// The answers a command line or an answers file may give.
constexpr std::array<const char*, 6> AnswerKeys{"TYPE", "DIR", "DATA", "RESTART", "SERVERUPGRADE", "ROLLBACK"};

bool IsAnswerKey(const std::string& key) {
    return std::find(AnswerKeys.begin(), AnswerKeys.end(), key) != AnswerKeys.end();
}

// A folder the pages can use from any current folder: a drive's path or a
// network path.
bool IsFullFolder(const std::string& folder) {
    const bool drive = folder.size() >= 3 && std::isalpha(static_cast<unsigned char>(folder[0])) && folder[1] == ':' &&
                       folder[2] == '\\';
    const bool network = folder.size() > 2 && folder.starts_with("\\\\");
    return drive || network;
}

// One answer checked and put into answers; the refusal otherwise. who names
// where the answer came from ("Optiunea /TYPE", "Cheia TYPE din ...").
std::string Apply(const std::string& key, const std::string& value, const std::string& who,
                  TUnattendedAnswers& answers) {
    const std::string word = UpperAscii(value);
    auto refuseValue = [&](const char* allowed) {
        return who + " nu accepta valoarea \"" + value + "\". Valori permise: " + allowed + ".";
    };
    if (key == "TYPE") {
        if (word == "LOCAL")
            answers.Type = itLocal;
        else if (word == "SERVER")
            answers.Type = itServer;
        else if (word == "CLIENT")
            answers.Type = itClient;
        else
            return refuseValue("LOCAL, SERVER, CLIENT");
        return {};
    }
    if (key == "RESTART" || key == "SERVERUPGRADE" || key == "ROLLBACK" || key == "REMOVEDATA") {
        bool& answer = key == "RESTART"      ? answers.Restart
                       : key == "ROLLBACK"   ? answers.Rollback
                       : key == "REMOVEDATA" ? answers.RemoveData
                                             : answers.ServerUpgrade;
        if (word == "YES")
            answer = true;
        else if (word == "NO")
            answer = false;
        else
            return refuseValue("NO, YES");
        return {};
    }
    // DIR or DATA.
    if (!IsFullFolder(value))
        return who + " cere un folder complet, cu disc, de forma " + key + "=C:\\WinKorv (primit: \"" + value + "\").";
    (key == "DIR" ? answers.ProgramDir : answers.DataDir) = WithoutFinalBackslash(value);
    return {};
}

struct AnswersFile {
    std::map<std::string, std::string> values;  // key in capitals
    std::string refusal;
};

// The keys of section [Instalare]; other sections are not ours and are
// skipped. Blank lines and lines starting with ";" are comments.
AnswersFile ReadSection(const std::string& path, const std::string& text) {
    AnswersFile file;
    const std::string where = "Fisierul de raspunsuri " + path;
    bool inSection = false, sectionFound = false;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        line = Trimmed(line);
        if (line.empty() || line[0] == ';') continue;
        if (line.front() == '[') {
            inSection = line.back() == ']' && UpperAscii(Trimmed(line.substr(1, line.size() - 2))) == "INSTALARE";
            sectionFound = sectionFound || inSection;
            continue;
        }
        if (!inSection) continue;
        const auto equals = line.find('=');
        const std::string key = UpperAscii(Trimmed(line.substr(0, equals)));
        if (equals == std::string::npos || !IsAnswerKey(key)) {
            file.refusal = where + " are in [Instalare] o linie necunoscuta: \"" + line +
                           "\". Chei permise: TYPE, DIR, DATA, RESTART, SERVERUPGRADE, ROLLBACK.";
            return file;
        }
        std::string value = Trimmed(line.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        if (!file.values.emplace(key, value).second) {
            file.refusal = where + " da cheia " + key + " de doua ori.";
            return file;
        }
    }
    if (!sectionFound) file.refusal = where + " nu are sectiunea [Instalare].";
    return file;
}

}  // namespace

TSwitches ParseSwitches(const std::vector<std::string>& arguments, const TFileReader& readFile) {
    TSwitches result;
    std::map<std::string, std::string> given;  // answer keys of the command line
    std::optional<std::string> answersPath;
    bool switchSeen = false;
    auto refuse = [&](std::string message) {
        if (result.Refusal.empty()) result.Refusal = std::move(message);
    };

    for (const std::string& word : arguments) {
        if (!word.starts_with("/")) {
            // The log pair keeps its place at the very start.
            if (word == "-log" && switchSeen) refuse("Perechea -log -log se da inaintea oricarei optiuni.");
            continue;
        }
        switchSeen = true;
        const auto equals = word.find('=');
        const std::string name =
            UpperAscii(word.substr(1, equals == std::string::npos ? std::string::npos : equals - 1));
        const std::string shown = "/" + name;
        if (name == "UNATTENDED") result.UnattendedGiven = true;
        if (name == "?" || name == "UNATTENDED" || name == "UNINSTALL") {
            if (equals != std::string::npos) refuse("Optiunea " + shown + " nu primeste o valoare.");
            if (name == "?") result.HelpAsked = true;
            if (name == "UNINSTALL") result.Uninstall = true;
            continue;
        }
        if (!IsAnswerKey(name) && name != "ANSWERS" && name != "REMOVEDATA") {
            refuse("Optiune necunoscuta: " + word + ". INSTALL.EXE /? arata optiunile.");
            continue;
        }
        if (equals == std::string::npos) {
            refuse("Optiunea " + shown + " cere o valoare: " + shown + "=...");
            continue;
        }
        const std::string value = word.substr(equals + 1);
        if (name == "ANSWERS") {
            if (answersPath)
                refuse("Optiunea /ANSWERS este data de doua ori.");
            else if (value.empty())
                refuse("Optiunea /ANSWERS cere numele fisierului de raspunsuri.");
            answersPath = value;
            continue;
        }
        if (!given.emplace(name, value).second) refuse("Optiunea " + shown + " este data de doua ori.");
    }
    if (!result.Refusal.empty()) return result;

    // The uninstaller takes only its own answer; the installation's would
    // be dropped without a word.
    if (result.Uninstall) {
        for (const auto& [key, value] : given)
            if (key != "REMOVEDATA")
                refuse("Optiunea /" + key + " nu se foloseste impreuna cu /UNINSTALL (dezinstalarea).");
        if (answersPath) refuse("Optiunea /ANSWERS nu se foloseste impreuna cu /UNINSTALL (dezinstalarea).");
    } else if (given.contains("REMOVEDATA")) {
        refuse("Optiunea /REMOVEDATA se foloseste numai impreuna cu /UNINSTALL.");
    }
    if (!result.Refusal.empty()) return result;

    // What the command line says wins over the file.
    for (const auto& [key, value] : given)
        if (auto refusal = Apply(key, value, "Optiunea /" + key, result.Answers); !refusal.empty()) {
            result.Refusal = refusal;
            return result;
        }
    if (answersPath) {
        const std::optional<std::string> text = readFile(*answersPath);
        if (!text) {
            result.Refusal = "Nu pot citi fisierul de raspunsuri " + *answersPath + ".";
            return result;
        }
        const AnswersFile file = ReadSection(*answersPath, *text);
        if (!file.refusal.empty()) {
            result.Refusal = file.refusal;
            return result;
        }
        for (const auto& [key, value] : file.values) {
            if (given.contains(key)) continue;
            const std::string who = "Cheia " + key + " din fisierul de raspunsuri " + *answersPath;
            if (auto refusal = Apply(key, value, who, result.Answers); !refusal.empty()) {
                result.Refusal = refusal;
                return result;
            }
        }
    }
    // Answers with nobody to use them would be dropped without a word.
    if (!result.HelpAsked && !result.UnattendedGiven && (!given.empty() || answersPath))
        result.Refusal =
            "Raspunsurile (/TYPE, /DIR, /DATA, /RESTART, /SERVERUPGRADE, /ROLLBACK, /ANSWERS, /REMOVEDATA) "
            "se folosesc numai impreuna cu /UNATTENDED.";
    result.Answers.Active = result.UnattendedGiven && result.Refusal.empty();
    return result;
}

std::optional<std::string> ReadAnswersFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) return std::nullopt;
    return text;
}

std::string QuoteArgument(const std::string& word) {
    if (!word.empty() && word.find_first_of(" \t\"") == std::string::npos) return word;
    // Backslashes count as escapes only before a quote: those are doubled.
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : word) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, '\\');
    return quoted + "\"";
}

std::string SwitchesForWorkCopy(const TUnattendedAnswers& answers) {
    static constexpr std::array<const char*, 4> TypeNames{"LOCAL", "LOCAL", "SERVER", "CLIENT"};
    return "/UNATTENDED /TYPE=" + std::string(TypeNames[answers.Type]) + " " +
           QuoteArgument("/DIR=" + answers.ProgramDir) + " " + QuoteArgument("/DATA=" + answers.DataDir) +
           " /RESTART=" + (answers.Restart ? "YES" : "NO") +
           " /SERVERUPGRADE=" + (answers.ServerUpgrade ? "YES" : "NO") +
           " /ROLLBACK=" + (answers.Rollback ? "YES" : "NO");
}

std::string SwitchesForUninstallCopy(const TUnattendedAnswers& answers) {
    if (!answers.Active) return "/UNINSTALL";
    return std::string("/UNINSTALL /UNATTENDED /REMOVEDATA=") + (answers.RemoveData ? "YES" : "NO");
}

std::string SwitchesHelpText() {
    return "Instalare fara intrebari:\r"
           "INSTALL.EXE [-log -log] /UNATTENDED [optiuni]\r"
           "\r"
           "/UNATTENDED - nicio pagina nu asteapta raspuns\r"
           "/TYPE=LOCAL|SERVER|CLIENT - tipul instalarii (LOCAL)\r"
           "/DIR=folder - folderul programului (C:\\WinKorv)\r"
           "/DATA=folder - folderul datelor (C:\\WinKorv)\r"
           "/RESTART=NO|YES - la sfarsit: Nu acum sau Restart! (NO)\r"
           "/SERVERUPGRADE=NO|YES - clientul actualizeaza baza serverului (NO)\r"
           "/ROLLBACK=YES|NO - o actualizare esuata este restaurata (YES)\r"
           "/ANSWERS=fisier - aceleasi chei in sectiunea [Instalare];\r"
           "      o optiune din linia de comanda are intaietate\r"
           "/? - aceasta fereastra\r"
           "\r"
           "Dezinstalare (DEZINST.EXE din folderul programului):\r"
           "DEZINST.EXE /UNINSTALL [/UNATTENDED [/REMOVEDATA=NO|YES]]\r"
           "/REMOVEDATA=NO|YES - sterge si datele firmei (NO)\r"
           "\r"
           "Codul de iesire:\r"
           "0 - instalat, actualizat sau dezinstalat\r"
           "1 - kitul (sau copia temporara) nu a putut fi pregatit\r"
           "2 - renuntat (o intrebare sau un disc refuzat)\r"
           "3 - eroare la copiere, configurare sau dezinstalare\r"
           "4 - optiuni gresite";
}
