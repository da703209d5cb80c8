#pragma once

#include "calc/Calculation.h"

#include <QCoreApplication>
#include <QString>

namespace lapidor {

// Words for why a calculation could not be made, in the player's language,
// all in one place for a translator. The text at fault is quoted as
// outside text.
class CalculationFailureText {
    Q_DECLARE_TR_FUNCTIONS(lapidor::CalculationFailureText)

public:
    static QString describe(const CalculationFailure& failure);

private:
    static QString currentLevel(const CalculationFailure& failure, const QString& quoted);
    static QString currentExperience(const CalculationFailure& failure, const QString& quoted);
    static QString levelExperience(const CalculationFailure& failure, const QString& quoted);
    static QString gemCount(const CalculationFailure& failure, const QString& quoted);
};

} // namespace lapidor
