#pragma once

#include "game/GameActions.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

// Writes every outward action of the board into a log of readable lines, and
// fails to load the picture files named in missingFiles.
class RecordingGameActions : public GameActions {
public:
    bool LoadFace(const std::string& path) override { return Load("face", path); }
    bool LoadCover(const std::string& path) override { return Load("cover", path); }
    bool LoadMatchTile(const std::string& path) override { return Load("matchtile", path); }

    void DrawFace(const TileRect& r) override { Log("drawface " + Rect(r)); }
    void DrawFaceQuarter(int q, const TileRect& r) override { Log("drawquarter " + std::to_string(q) + " " + Rect(r)); }
    void DrawCover(const TileRect& r) override { Log("drawcover " + Rect(r)); }
    void DrawMatchTile(const TileRect& r) override { Log("drawmatch " + Rect(r)); }
    void PaintAllCovers(const BoardLayout& l) override
    {
        Log("allcovers " + std::to_string(l.rows) + "x" + std::to_string(l.columns));
    }

    void PlaySound(const std::string& name, bool wait) override { Log(std::string(wait ? "sync " : "sound ") + name); }
    void PlayMissSound(bool soundOn, int n) override
    {
        Log("miss " + std::to_string(soundOn) + " " + std::to_string(n));
    }
    void PlayMatchSound(bool soundOn, int n) override
    {
        Log("yup " + std::to_string(soundOn) + " " + std::to_string(n));
    }
    void PlayMatchAnimation(int picture) override
    {
        Log("animation " + std::to_string(picture));
        if (onAnimation) onAnimation();
    }
    void PostRestart() override { Log("restart"); }
    void CloseGame() override { Log("close"); }
    void DesktopSize(int& w, int& h) override { w = 1920, h = 1080; }

    // A rectangle as the log writes it.
    static std::string Rect(const TileRect& r)
    {
        return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" +
               std::to_string(r.height);
    }

    // The log lines that start with prefix.
    std::vector<std::string> Only(const std::string& prefix) const
    {
        std::vector<std::string> out;
        for (const auto& line : log)
            if (line.rfind(prefix, 0) == 0) out.push_back(line);
        return out;
    }

    std::vector<std::string> log;
    std::set<std::string> missingFiles;
    std::function<void()> onAnimation;

private:
    bool Load(const std::string& what, const std::string& path)
    {
        const bool ok = missingFiles.count(path) == 0;
        Log("load" + what + " " + path + (ok ? "" : " failed"));
        return ok;
    }
    void Log(const std::string& line) { log.push_back(line); }
};
