#pragma once
// Quarter and half turns of a bitmap, pixel by pixel. Each operation leaves its input unchanged
// and the result in Rotated, which keeps the input's pixel format and colour table.
#include <QImage>

class TImageUnit {
public:
    void RotateLeft(const QImage& input);  // a quarter turn counter-clockwise
    void RotateRight(const QImage& input); // a quarter turn clockwise
    void Rotate180(const QImage& input);   // a half turn

    const QImage& Rotated() const { return Rotated_; }
    // Hands the result over without a copy, so that the caller's image does not share it.
    QImage TakeRotated() { return std::move(Rotated_); }

private:
    enum class Turn { Left, Right, Half };
    void Rotate(const QImage& input, Turn turn);

    // Source refers to the input only while a rotation runs: QImage shares the pixels and the
    // rotation only reads them, so the input is neither copied nor kept alive afterwards.
    QImage Source_;
    QImage Rotated_;
};
