// The sample files of the rich-text tests, written by common word processors.
#pragma once

#include <QByteArray>
#include <QFile>

#include <gtest/gtest.h>

namespace zb::test {

inline QByteArray rtfSample(const char* name) {
    QFile f(QStringLiteral(ZB_RTF_SAMPLES "/") + QLatin1String(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

} // namespace zb::test
