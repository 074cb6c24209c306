#include "bets/WheelMatrix.h"

// Placeholder until the matrix reader lands: every type and size is refused with the
// message for a missing file.
int wheelTypeIndex(const QString &captionOrCode)
{
    for (int i = 0; i < int(kWheelTypes.size()); ++i)
        if (captionOrCode == QString::fromUtf8(kWheelTypes[i].caption)
            || captionOrCode.compare(QLatin1String(kWheelTypes[i].code), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString wheelMatrixPath(const QString &programDir, int typeIndex, int candidateCount)
{
    return programDir + QStringLiteral("/Matrix/C%1%2.db").arg(candidateCount).arg(QLatin1String(kWheelTypes[typeIndex].code));
}

WheelMatrix readWheelMatrix(const QString &, int typeIndex, int)
{
    if (typeIndex < 0 || typeIndex >= int(kWheelTypes.size()))
        return {Outcome::failure(QStringLiteral("您选择的旋转矩阵类型不正确,请重新选择!")), {}};
    return {Outcome::failure(QStringLiteral("您选择的侯选号码数量无此类旋转矩阵,请重新选择!")), {}};
}

WheelMatrix readWheelMatrixFile(const QString &, int)
{
    return {Outcome::failure(QStringLiteral("您选择的侯选号码数量无此类旋转矩阵,请重新选择!")), {}};
}
