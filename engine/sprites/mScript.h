#pragma once

#include "engine/core/mObject.h"

#include <array>
#include <cstdint>
#include <string>

class mFile;
class mSprite;

// One compiled instruction: the keyword's index, the jump target (while
// compiling a label number, then the label instruction's index) and the
// operand.
struct ProgInst {
    std::uint16_t opcode = 0;
    std::uint16_t target = 0;
    std::int32_t value = 0;
};

// A sprite's program: keyword lines compiled once into at most 255
// instructions, run a piece at a time, each step up to the next
// instruction that ends it.
class mScript : public mObject {
public:
    // The keyword's index is the instruction's opcode.
    enum Opcode : std::uint16_t {
        NOP, LABEL, COLON, FRAME, ADVANCEFRAME, DELAY, SPEED, PAUSE, POSX, POSY, POSZ, MOVEX, MOVEY, MOVEZ, HIDE,
        SHOW, WAVEFILE, SOUND, SET, CLEAR, IF, IFNOT, IFFRAME, IFHIT, IFHITID, IFHITMASK, HITID, HITMASK, HITDEPTH,
        GOTO, LOOP, ENDCYCLE, END,
    };
    static const char* const Keywords[];
    static constexpr int Capacity = 255;
    // A step runs at most this many instructions: a cycle of jumps without
    // an instruction that ends the step would otherwise never return.
    static constexpr int StepLimit = 4 * Capacity;

    ~mScript() override;

    // 0 when the program is full and the instruction is dropped.
    int Append(const ProgInst& instruction);
    // Appends the program read from the file's position on; sounds go to
    // the sprite. Only the new instructions' labels are resolved.
    void Compile(mFile& file, mSprite& sprite);
    // Runs the sprite's program from its pc: 1 when an instruction ended
    // the step (or the step's bound was reached), 0 when the program ended.
    int Run(mSprite& sprite) const;

    // A number as the script writer writes it: sign and digits, the rest
    // ignored, no digits 0; kept within 32 bits.
    static std::int32_t Number(const std::string& text);

    std::array<ProgInst, Capacity> program{};
    int count = 0;

private:
    ProgInst Read(int keyword, const std::string& operand, mSprite& sprite, const mFile& file);
    void LoadSound(const std::string& name, mSprite& sprite, const mFile& file);
    void ResolveLabels(int from);
    // Carries out one instruction; true when it ends the step.
    bool Execute(const ProgInst& instruction, mSprite& sprite) const;
};
