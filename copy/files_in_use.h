// The files of an earlier installation that an upgrade is about to replace:
// which of them another program holds open (KORVEN running here, or on a
// client of this server, over the network), and their read-only marks,
// lifted for the extraction and put back after it.
#pragma once

#include <string>
#include <vector>

// Those of `files` that cannot be opened for writing with no sharing; a
// read-only file counts by whether it can be opened at all with no sharing.
std::vector<std::string> FilesInUse(const std::vector<std::string>& files);

// Lifts the read-only mark of each of `files` that has it, and puts it back
// when it goes, however the extraction ended.
class ReadOnlyLifted {
public:
    explicit ReadOnlyLifted(const std::vector<std::string>& files);
    ~ReadOnlyLifted();
    ReadOnlyLifted(const ReadOnlyLifted&) = delete;
    ReadOnlyLifted& operator=(const ReadOnlyLifted&) = delete;

private:
    struct Lifted {
        std::string path;
        unsigned long attributes;
    };
    std::vector<Lifted> lifted_;
};
