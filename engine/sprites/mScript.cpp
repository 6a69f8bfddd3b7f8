#include "engine/sprites/mScript.h"

#include "engine/core/mFile.h"
#include "engine/media/mAudioWAV.h"
#include "engine/sprites/mSprite.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>

const char* const mScript::Keywords[] = {
    "NOP",   "LABEL", ":",     "FRAME",   "ADVANCEFRAME", "DELAY",  "SPEED",   "PAUSE",    "POSX",  "POSY",
    "POSZ",  "MOVEX", "MOVEY", "MOVEZ",   "HIDE",         "SHOW",   "WAVEFILE", "SOUND", "SET",   "CLEAR",
    "IF",    "IFNOT", "IFFRAME", "IFHIT", "IFHITID",      "IFHITMASK", "HITID", "HITMASK", "HITDEPTH", "GOTO",
    "LOOP",  "ENDCYCLE", "END", "",
};

namespace {

// Sums that wrap at 32 bits, as the positions and frames of a looping
// script do, instead of overflowing.
std::int32_t Wrapped(std::int32_t a, std::int32_t b)
{
    return std::int32_t(std::uint32_t(a) + std::uint32_t(b));
}

bool TwoOperands(int opcode)
{
    return opcode == mScript::IF || opcode == mScript::IFNOT || opcode == mScript::IFFRAME ||
           opcode == mScript::IFHITID || opcode == mScript::IFHITMASK;
}

bool LabelOperand(int opcode)
{
    return opcode == mScript::IFHIT || opcode == mScript::GOTO || opcode == mScript::LOOP;
}

bool NoOperand(int opcode)
{
    return opcode == mScript::NOP || opcode == mScript::PAUSE || opcode == mScript::HIDE ||
           opcode == mScript::SHOW || opcode == mScript::ENDCYCLE || opcode == mScript::WAVEFILE;
}

} // namespace

mScript::~mScript()
{
    if (useCount != 0) {
        Warning(CLASS_mScript, ERR_STILL_IN_USE);
        useCount = 0;
    }
}

int mScript::Append(const ProgInst& instruction)
{
    if (count >= Capacity) return 0;
    program[std::size_t(count++)] = instruction;
    return 1;
}

std::int32_t mScript::Number(const std::string& text)
{
    const long long n = std::strtoll(text.c_str(), nullptr, 10);
    return std::int32_t(std::clamp<long long>(n, INT32_MIN, INT32_MAX));
}

void mScript::Compile(mFile& file, mSprite& sprite)
{
    const int first = count;
    for (int keyword; (keyword = file.ReadKeyword(Keywords)) >= 0 && keyword != END;)
        Append(Read(keyword, file.KeywordValue(), sprite, file));
    ResolveLabels(first);
}

ProgInst mScript::Read(int keyword, const std::string& operand, mSprite& sprite, const mFile& file)
{
    ProgInst in{std::uint16_t(keyword), 0, 0};
    if (keyword == WAVEFILE) LoadSound(operand, sprite, file);
    if (NoOperand(keyword)) return in;
    if (TwoOperands(keyword)) {
        const std::size_t comma = operand.find(',');
        if (comma == std::string::npos) {
            Error(CLASS_mSprite, ERR_MISSING_PARAMETER, Keywords[keyword]);
            return {NOP, 0, 0};
        }
        in.value = Number(operand.substr(0, comma));
        in.target = std::uint16_t(Number(operand.substr(comma + 1)));
        return in;
    }
    if (LabelOperand(keyword)) {
        in.target = std::uint16_t(Number(operand));
        if (in.target != 0) return in;
        Error(CLASS_mSprite, ERR_MISSING_PARAMETER, Keywords[keyword]);
        return {NOP, 0, 0};
    }
    in.value = Number(operand);
    if (keyword == ADVANCEFRAME && in.value == 0) in.value = 1;
    return in;
}

void mScript::LoadSound(const std::string& operand, mSprite& sprite, const mFile& file)
{
    const std::string name = file.NameInText(operand);
    auto sound = std::make_unique<mAudioWAV>();
    if (!sound->OpenFile(name.c_str())) {
        Error(CLASS_mSprite, ERR_FILE_OPEN, name.c_str());
        return;
    }
    sprite.AddSound(sound.release());
}

void mScript::ResolveLabels(int from)
{
    // Instructions of earlier compilations point at indexes already.
    for (int i = from; i < count; ++i) {
        ProgInst& in = program[std::size_t(i)];
        if (in.target == 0) continue;
        const auto label = std::find_if(program.begin(), program.begin() + count, [&](const ProgInst& p) {
            return (p.opcode == LABEL || p.opcode == COLON) && p.value == in.target;
        });
        if (label != program.begin() + count) {
            in.target = std::uint16_t(label - program.begin());
            continue;
        }
        Error(CLASS_mSprite, ERR_NO_LABEL, std::to_string(in.target).c_str());
        in = {NOP, 0, 0};
    }
}

int mScript::Run(mSprite& sprite) const
{
    for (int ran = 0; ran < StepLimit; ++ran) {
        if (sprite.pc < 0 || sprite.pc >= count) return 0;
        const ProgInst& in = program[std::size_t(sprite.pc++)];
        if (Execute(in, sprite)) return 1;
    }
    return 1;
}

bool mScript::Execute(const ProgInst& in, mSprite& s) const
{
    const std::int32_t v = in.value;
    const bool hit = (s.state & mSprite::HitPending) != 0;
    bool jump = false;
    switch (in.opcode) {
    case FRAME: s.frame = std::uint32_t(v); break;
    case ADVANCEFRAME: s.frame += std::uint32_t(v); break;
    case DELAY: s.delay = std::uint32_t(v); break;
    // A speed of 0 would divide the delays by nothing: it counts as 1 %.
    case SPEED: s.speed = v == 0 ? 1 : std::uint32_t(v); break;
    case PAUSE: s.Pause(); return true;
    case POSX: s.x = v; break;
    case POSY: s.y = v; break;
    case POSZ: s.SetZ(v); break;
    case MOVEX: s.x = Wrapped(s.x, v); break;
    case MOVEY: s.y = Wrapped(s.y, v); break;
    case MOVEZ: s.SetZ(s.z = Wrapped(s.z, v)); break;
    case HIDE: s.Hide(); break;
    case SHOW: s.Show(); break;
    case SOUND: s.PlaySound(v, 0, 1); break;
    case SET: s.userFlags |= std::uint32_t(v); break;
    case CLEAR: s.userFlags &= ~std::uint32_t(v); break;
    case IF: jump = (s.userFlags & std::uint32_t(v)) != 0; break;
    case IFNOT: jump = (s.userFlags & std::uint32_t(v)) == 0; break;
    case IFFRAME: jump = s.frame == std::uint32_t(v); break;
    case IFHIT: jump = hit; break;
    case IFHITID: jump = hit && s.hitBy == std::uint32_t(v); break;
    case IFHITMASK: jump = hit && (s.hitBy & std::uint32_t(v)) != 0; break;
    case HITID: s.hitId = std::uint32_t(v); break;
    case HITMASK: s.hitMask = std::uint32_t(v); break;
    case HITDEPTH: s.SetHitDepth(v); break;
    case GOTO: jump = true; break;
    case LOOP: s.pc = in.target; return true;
    case ENDCYCLE: return true;
    default: break;
    }
    if (!jump) return false;
    if (in.opcode == IFHIT || in.opcode == IFHITID || in.opcode == IFHITMASK) s.state &= ~std::uint32_t(mSprite::HitPending);
    s.pc = in.target;
    return false;
}
