// A fresh data root with a new active database on drive C:, message boxes recorded.
#pragma once

#include "database/CurrentTrack.h"
#include "database/DbFiles.h"
#include "database/OverlayStore.h"
#include "database/TrackStore.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "TempDataRoot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        win::scripted::listen();
        ASSERT_EQ(DBInitialiseDatabase('C'), 1);
        win::scripted::clear();
    }
    void TearDown() override { win::scripted::stopListening(); }

    // The host file of a Windows path (which need not exist yet).
    static std::filesystem::path host(const std::string& windowsPath) { return *win::HostPath(windowsPath); }
    static std::filesystem::path trackFile(const std::string& name)
    {
        return host("c:\\varnel\\database\\ovl00001\\" + name);
    }
    static TrackPoint point(int i, int16_t colour = 3)
    {
        return TrackPoint{float(i), 0.5f, 0.25f, 500000000 + i, 10000000 - i, colour};
    }
    static void writePoints(const std::filesystem::path& file, int count, int first = 0)
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        for (int i = first; i < first + count; ++i) {
            TrackPoint p = point(i);
            out.write(reinterpret_cast<const char*>(&p), sizeof p);
        }
    }
    template <typename T>
    static std::vector<T> readRecords(const std::filesystem::path& file)
    {
        std::string bytes = TempDataRoot::readFile(file);
        std::vector<T> records(bytes.size() / sizeof(T));
        std::memcpy(records.data(), bytes.data(), records.size() * sizeof(T));
        return records;
    }
    static std::vector<std::string> boxTexts()
    {
        std::vector<std::string> texts;
        for (const auto& box : win::scripted::boxes())
            texts.push_back(box.caption + ": " + box.text);
        return texts;
    }

    TempDataRoot home;
};
