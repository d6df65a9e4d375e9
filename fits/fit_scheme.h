// SPDX-License-Identifier: MIT
// The picture of a fit: the zero line, the hole's and the shaft's tolerance zones to
// one scale in micrometres, and the largest and smallest clearance or interference.
#pragma once

#include "fits/fit.h"

#include <QWidget>
#include <optional>

namespace merilon {

class FitScheme final : public QWidget
{
    Q_OBJECT

public:
    explicit FitScheme(QWidget *parent = nullptr);

    // Draws the fit of `texts`, or nothing when it holds none.
    void setFit(const fits::FitTexts &texts);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::optional<fits::Fit> m_fit;
    QString m_holeField;
    QString m_shaftField;
};

} // namespace merilon
