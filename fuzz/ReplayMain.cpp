// Without libFuzzer (the gcc build) a target is a program that feeds it every
// file of the folders and files named on its command line, in name order, so
// that the normal test run replays the corpus and every kept regression.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzSupport.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsOf(const fs::path& Path)
{
    std::vector<fs::path> Inputs;
    if (fs::is_directory(Path)) {
        for (const fs::directory_entry& Entry : fs::directory_iterator(Path))
            if (Entry.is_regular_file())
                Inputs.push_back(Entry.path());
    } else if (fs::is_regular_file(Path)) {
        Inputs.push_back(Path);
    }
    std::sort(Inputs.begin(), Inputs.end());
    return Inputs;
}

}  // namespace

int main(int argc, char** argv)
{
    // Every path is found first: the target moves into a scratch directory.
    std::vector<fs::path> Inputs;
    for (int nArg = 1; nArg < argc; ++nArg)
        for (const fs::path& Input : InputsOf(fs::absolute(argv[nArg])))
            Inputs.push_back(Input);
    size_t nReplayed = 0;
    for (const fs::path& Input : Inputs) {
        std::ifstream File(Input, std::ios::binary);
        std::vector<uint8_t> Bytes((std::istreambuf_iterator<char>(File)), std::istreambuf_iterator<char>());
        if (!File.good() && !File.eof()) {
            fprintf(stderr, "cannot read %s\n", Input.c_str());
            return 1;
        }
        LLVMFuzzerTestOneInput(Bytes.data(), Bytes.size());
        ++nReplayed;
    }
    printf("replayed %zu inputs\n", nReplayed);
    return nReplayed ? 0 : 1;
}
