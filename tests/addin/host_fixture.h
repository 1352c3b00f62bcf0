// Loads an add-in into the host in one Excel mode for a test, and opens it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "host/host.h"

namespace Zr::Testing {

using Host::Value;
using Host::ValueKind;

inline std::string Excel12Or4(Host::Mode mode) { return mode == Host::Mode::Excel12 ? "Excel12" : "Legacy"; }

class AddinTest : public ::testing::TestWithParam<Host::Mode> {
protected:
    void Open(const char* path) {
        std::string error;
        ASSERT_TRUE(host_.Load(path, GetParam(), error)) << error;
        ASSERT_EQ(host_.AutoOpen(), 1);
    }
    void TearDown() override {
        if (!host_.Loaded()) return;
        host_.AutoClose();
        host_.AutoRemove();
        host_.Unload();
    }
    bool Modern() const { return GetParam() == Host::Mode::Excel12; }
    // The export of the running Excel's interface, with its type text.
    Value CallEntry(const std::string& name, const std::string& letters, const std::vector<Value>& args = {}) {
        return Modern() ? host_.CallExport(name + "_12", "U" + letters + "$", args)
                        : host_.CallExport(name + "_4", "R" + letters, args);
    }

    Host::Host host_;
};

inline Value ErrorText(const std::string& message) { return Value::TextUtf8("#ERROR: " + message); }

}  // namespace Zr::Testing
