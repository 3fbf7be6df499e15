#pragma once

#include <QString>

#include <vector>

// 16-bit mono PCM RIFF WAVE. Samples are in [-1, 1]; anything outside is an error
// of the synthesiser, not something to clip quietly.
void writeWave(const QString& path, const std::vector<double>& samples, int sampleRate);
