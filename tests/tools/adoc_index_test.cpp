// The entries of every autodoc the project holds, as `vsdoc index` lists
// them: the sample, the documents the tests write, odd shapes of real
// autodocs and the benchmark's synthetic SDK. The records were taken before
// the scan learnt numbered contents, digits and brackets in library names and
// headings without a library part; only those documents' entries changed.
#include "autodoc_corpus.h"
#include "corpus_files.h"
#include "support/support.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

namespace {
const std::string kData = VS_SOURCE_DIR "/tests/data/autodocs";

std::string Output(const std::string &command)
{
    std::string out;
    FILE *p = popen(command.c_str(), "r");
    char buf[4096];
    for (size_t n; p && (n = fread(buf, 1, sizeof buf, p)) > 0;)
        out.append(buf, n);
    if (p)
        pclose(p);
    return out;
}

std::string Index(const std::string &path) { return Output(std::string(VSDOC_PATH) + " index '" + path + "' 2>&1"); }
}

TEST(AutodocIndexes, EverySampleAndTestAutodocListsItsEntriesAsRecorded)
{
    std::vector<std::string> names;
    for (const auto &f : std::filesystem::directory_iterator(kData))
        if (f.path().extension() == ".doc")
            names.push_back(f.path().filename().string());
    std::sort(names.begin(), names.end());
    ASSERT_GE(names.size(), 25u);
    std::string listed;
    for (const std::string &n : names)
        listed += "== " + n + "\n" + Index(kData + "/" + n);
    listed += "== samples/vellum.doc\n" + Index(VS_SOURCE_DIR "/samples/vellum.doc");
    EXPECT_EQ(listed, ReadAll(kData + "/indexes.txt"));
}

TEST(AutodocIndexes, TheOddShapesListTheirFunctionsByName)
{
    EXPECT_EQ(Index(kData + "/ahi.doc"), "ADOC\tahi.device\nAHI_AllocAudioA\t+\t179\t8\t6\n"
                                         "AHI_AllocAudioRequestA\t+\t349\t15\t4\nAHI_FreeAudio\t+\t452\t20\t6\n")
        << "numbered contents";
    Sandbox box;
    std::string base = box.Path("b.qmx");
    Output(std::string(VSDOC_PATH) + " base add " + base + " " + kData + "/ahi.doc " + kData + "/driver.doc " + kData +
           "/fpu.doc " + kData + "/launch.doc");
    for (const char *name : {"AHI_AllocAudioA", "AHIsub_Disable", "FPUControl", "--Background--", "launch-handler"})
        EXPECT_EQ(Output(std::string(VSDOC_PATH) + " lookup " + base + " -- " + name + " >/dev/null 2>&1; echo $?"),
                  "0\n")
            << name;
}

TEST(AutodocIndexes, TheBenchmarkCorpusListsItsEntriesAsRecorded)
{
    Sandbox box;
    std::string dir = box.Path("sdk");
    size_t files = EnsureAutodocCorpus(dir, 20u << 20).size();
    EnsureFile(dir + "/big25000.doc", [] { return MakeAutodoc("big.library", 25000, 25000); });
    ASSERT_GT(files, 100u);
    // four at a time (a sanitizer's build takes long to start), put together in name order
    std::string digest = Output("cd '" + dir + "' && ls | xargs -P 4 -I{} sh -c '\"" + VSDOC_PATH +
                                "\" index {} > {}.index' && cat $(LC_ALL=C ls *.doc | sed 's/$/.index/') | sha256sum");
    EXPECT_EQ(digest, "23fe47f319d97e435ec1487fc8c2dc922e58b38672671a8f6549017ad320f516  -\n");
}
