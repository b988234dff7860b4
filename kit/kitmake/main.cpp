// kitmake: builds an installation kit from its description, or checks one.
//
//   kitmake build DESCRIPTION OUTPUT [--disks] [--disk-size BYTES]
//   kitmake verify KIT
//
// Exit status: 0 done (a whole kit), 1 failed (what failed is on the
// standard error), 2 usage error.
#include <cstdio>
#include <string>

#include "kit/kit_builder.h"
#include "kit/kit_error.h"
#include "kit/kit_verify.h"

namespace {

using namespace korven::kit;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int Usage() {
    std::fputs(
        "Utilizare:\n"
        "  kitmake build DESCRIERE DOSAR [--disks] [--disk-size OCTETI]\n"
        "      face trusa descrisa in DOSAR (care nu trebuie sa existe sau sa fie gol):\n"
        "      fara --disks totul intr-un dosar; cu --disks dosarele DISK1, DISK2, ...\n"
        "      de cate OCTETI fiecare (implicit 1457664, o discheta de 1,44 MB)\n"
        "  kitmake verify TRUSA\n"
        "      verifica fiecare piesa dupa lista [Piese] din INSTALL.CFG (marime,\n"
        "      CRC-32, disc), lipeste piesele fiecarei arhive ca programul de instalare\n"
        "      si verifica fiecare fisier; iese cu 0 numai cand trusa este intreaga\n"
        "Descrierea: linii \"install CALE\", \"upgrade DOSAR\", \"component NUME DOSAR\";\n"
        "# incepe un comentariu; caile sunt relative la dosarul descrierii.\n",
        stderr);
    return kExitUsage;
}

void Problem(const std::string& text) {
    std::fflush(stdout);
    std::fprintf(stderr, "eroare: %s\n", text.c_str());
}

void Warning(const std::string& text) {
    std::fflush(stdout);
    std::fprintf(stderr, "atentie: %s\n", text.c_str());
}

bool ParseSize(const std::string& text, uint64_t& size) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 18) return false;
    size = std::stoull(text);
    return size > 0;
}

int Build(int argc, char** argv) {
    if (argc < 4) return Usage();
    BuildOptions options;
    for (int index = 4; index < argc; ++index) {
        std::string option = argv[index];
        if (option == "--disks") {
            options.disks = true;
        } else if (option == "--disk-size" && index + 1 < argc) {
            if (!ParseSize(argv[++index], options.diskSize)) {
                Problem(std::string("--disk-size asteapta un numar de octeti, nu \"") + argv[index] + "\"");
                return kExitUsage;
            }
        } else {
            return Usage();
        }
    }
    BuildReport report = BuildKit(argv[2], argv[3], options);
    std::fputs(report.summary.c_str(), stdout);
    for (const std::string& warning : report.warnings) Warning(warning);
    return kExitOk;
}

int Verify(const std::string& kit) {
    VerifyReport report = VerifyKit(kit);
    for (const std::string& archive : report.archives) std::printf("%s\n", archive.c_str());
    for (const std::string& warning : report.warnings) Warning(warning);
    for (const std::string& problem : report.problems) Problem(problem);
    if (!report.Whole()) return kExitFailed;
    std::printf("trusa este intreaga\n");
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    std::string command = argv[1];
    int status;
    try {
        if (command == "build") {
            status = Build(argc, argv);
        } else if (command == "verify" && argc == 3) {
            status = Verify(argv[2]);
        } else {
            return Usage();
        }
    } catch (const KitError& error) {
        Problem(error.what());
        status = kExitFailed;
    } catch (const std::exception& error) {
        Problem(error.what());
        status = kExitFailed;
    }
    std::fflush(stdout);
    return status;
}
