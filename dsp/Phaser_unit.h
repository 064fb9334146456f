#pragma once

#include "PhaserRecords.h"
#include "TableLfo.h"

#include <memory>

// One channel of the phaser: three first-order all-pass stages inside a
// feedback loop (DC blocker, high-pass, low-pass, short delay), swept by the
// unit's own LFO. process_block returns the wet signal only.
class Phaser_unit
{
public:
    explicit Phaser_unit (float sampleRate);
    ~Phaser_unit();

    Phaser_unit (const Phaser_unit&) = delete;
    Phaser_unit& operator= (const Phaser_unit&) = delete;

    // Cut-offs of the feedback-path filters from control values in 0..1;
    // anything else (NaN included) selects the 20 Hz / 16000 Hz fallback.
    void setHpCf (float x) noexcept;
    void setLpCf (float x) noexcept;

    // Processes one block of one channel in place (input in, wet signal out).
    // envelope holds one value per sample, read at control updates. A NaN or
    // an infinity that got into the unit's state is cleared at the block's end.
    void process_block (float* samples, float* envelope, int numSamples) noexcept;

    // Processes a left and a right unit in one interleaved loop: the two
    // feedback loops are independent, so the processor overlaps them. The
    // output is bit-identical to calling process_block on each unit.
    static void process_block_pair (Phaser_unit& left, float* leftSamples,
                                    Phaser_unit& right, float* rightSamples,
                                    const float* envelope, int numSamples) noexcept;

    float sampleRate;
    RelaxedAtomic<float> lfoRate { 0.09779328f };
    RelaxedAtomic<float> lfoDepth { 0.5f };
    RelaxedAtomic<float> feedback { 0.5f };
    std::unique_ptr<float[]> delayBuffer;
    int writePosition;
    int delayLength;
    int delaySamples = 1;
    RelaxedAtomic<float> envToRate { 0.0f };
    RelaxedAtomic<float> envToDepth { 0.0f };
    float interpState = 0.0f;
    int lfoCountdown = 0;
    int controlCountdown = 0;
    float currentDepth = 0.0f;
    std::unique_ptr<AllpassStage> allpass[3];
    std::unique_ptr<OnePoleFilter> hpFilter;
    std::unique_ptr<OnePoleFilter> lpFilter;
    std::unique_ptr<TableLfo> lfo;
    std::unique_ptr<DcBlocker> dcBlocker;
    std::unique_ptr<ModSmoother> modSmoother;

private:
    friend class PhaserUnitKernel;

    // The modulation value the stage coefficients were last computed for.
    float coefficientsModulation;
    bool coefficientsValid = false;
};
