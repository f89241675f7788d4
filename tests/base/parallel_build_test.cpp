#include "base/baza.h"
#include "base/scanqueue.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/objects.h"
#include "support/support.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace {
// One small document of each type in turn, its names and sizes drawn at
// random, so that files finish out of order on several threads.
std::string MakeDocument(std::mt19937 &rng, int i, std::string &name)
{
    auto word = [&] { return "w" + std::to_string(rng() % 100000); };
    int lines = int(rng() % 60);
    std::string text;
    switch (i % 5) {
    case 0:
        name = "lib" + std::to_string(i) + ".doc";
        text = "TABLE OF CONTENTS\n\n";
        for (int n = 0; n < lines / 4; ++n)
            text += "\flib" + std::to_string(i) + ".library/" + word() + "\n   NAME\n\tx -- y\n   FUNCTION\n\t" +
                    word() + "\n";
        break;
    case 1:
        name = "h" + std::to_string(i) + ".h";
        for (int n = 0; n < lines; ++n)
            text += n % 3 ? "  LONG " + word() + ";\n" : "struct " + word() + " {\n";
        break;
    case 2:
        name = "i" + std::to_string(i) + ".xml";
        text = "<?xml version=\"1.0\"?>\n<interface name=\"" + word() + "\">\n";
        for (int n = 0; n < lines; ++n)
            text += "  <method name=\"" + word() + "\"/>\n";
        break;
    case 3:   // the header fields differ from guide to guide
        name = "g" + std::to_string(i) + ".guide";
        text = "@database " + word() + "\n" + (rng() % 2 ? "@index IDX\n" : "") + (rng() % 2 ? "@help H\n" : "");
        for (int n = 0; n < lines / 3; ++n)
            text += "@node " + word() + " \"t\"\nline\n@endnode\n";
        break;
    default: name = "t" + std::to_string(i) + ".txt"; text = std::string(size_t(rng() % 4000), 'a') + "\n";
    }
    return text;
}

class ParallelBuild : public ::testing::Test {
protected:
    Sandbox box;
    TestApp app{true};

    ~ParallelBuild() override { SetScanThreads(0); }

    std::vector<std::string> MakeSet(int count, unsigned seed)
    {
        std::mt19937 rng(seed);
        std::vector<std::string> paths;
        std::filesystem::create_directories(box.Path("set"));
        for (int i = 0; i < count; ++i) {
            std::string name;
            std::string text = MakeDocument(rng, i, name);
            paths.push_back(box.Write("set/" + name, text));
        }
        return paths;
    }
    // The base file the files make on so many threads, and what it holds
    // once rescanned after change() (on as many threads).
    std::pair<std::string, std::string> Build(const std::function<std::vector<std::string>()> &make, unsigned threads,
                                              const std::function<void()> &change)
    {
        std::vector<std::string> paths = make();
        SetScanThreads(threads);
        EXPECT_EQ(BazaAddFiles(paths, nullptr), LONG(paths.size()));
        std::string built = SaveAndClose("built" + std::to_string(threads) + ".qmx");
        change();
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, box.Path("built" + std::to_string(threads) + ".qmx").c_str());
        EXPECT_TRUE(DoMethod(QMXObject.BazaObj, QMXM_BazaOpen));
        DoMethod(QMXObject.BazaObj, QMXM_BazaUpdate);
        return {built, SaveAndClose("rescanned" + std::to_string(threads) + ".qmx")};
    }
    std::string SaveAndClose(const std::string &name)
    {
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, box.Path(name).c_str());
        DoMethod(QMXObject.BazaObj, QMXM_BazaSave);
        konfig.Modified = 0;
        DoMethod(QMXObject.BazaObj, QMXM_BazaClose);
        return ReadAll(box.Path(name));
    }
};

TEST_F(ParallelBuild, ManyThreadsBuildAndRescanTheBaseOneThreadDoes)
{
    ASSERT_TRUE(app.Ready());
    std::vector<std::string> samples;
    for (const auto &e : std::filesystem::directory_iterator(VS_SOURCE_DIR "/samples"))
        samples.push_back(e.path().string());
    std::sort(samples.begin(), samples.end());
    auto make = [&] {   // written anew for each build: the rescan changes them
        std::vector<std::string> set = MakeSet(3000, 7);
        set.insert(set.end(), samples.begin(), samples.end());
        return set;
    };
    // each rescan finds the same changes: other entries, and a plain text
    // that became an autodoc (the caption it had goes)
    auto change = [&] {
        std::mt19937 rng(11);
        for (size_t i = 0; i < 3000; i += 7) {
            std::string name;
            std::string text = MakeDocument(rng, int(i), name);
            box.Write("set/" + name, text);
        }
        box.Write("set/t4.txt", "TABLE OF CONTENTS\n\fnew.library/Call\n   NAME\n");
    };
    auto [one, oneRescanned] = Build(make, 1, change);
    auto [many, manyRescanned] = Build(make, 8, change);
    EXPECT_GT(one.size(), 300000u);
    EXPECT_TRUE(one == many) << "the base built on 8 threads differs from the one built on 1";
    EXPECT_NE(one, oneRescanned);
    EXPECT_TRUE(oneRescanned == manyRescanned) << "the rescans differ";
}

TEST_F(ParallelBuild, AddingStopsAtTheSameFileWhateverTheThreads)
{
    ASSERT_TRUE(app.Ready());
    std::vector<std::string> set = MakeSet(400, 3);
    set[250] = box.Write("set/binary.bin", std::string("\x01\x02\x00\x03", 4));
    set[300] = box.Path("set/missing.doc");
    for (unsigned threads : {1u, 8u}) {
        SetScanThreads(threads);
        app.requester.questions.clear();
        EXPECT_EQ(BazaAddFiles(set, nullptr), 250) << threads << " threads";
        ASSERT_EQ(app.requester.questions.size(), 1u);
        EXPECT_EQ(app.requester.questions[0].text, "Cannot open file:\n" + set[250]);
        konfig.Modified = 0;
        DoMethod(QMXObject.BazaObj, QMXM_BazaClose);
    }
}
}
