// The shared object as a host sees it: one export, errors as exceptions.

#include <qelvan/counted_string.h>
#include <qelvan/showdll.h>

#include <dlfcn.h>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct Library {
    void* handle = dlopen(QELVAN_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
    ~Library()
    {
        if (handle)
            dlclose(handle);
    }
};

TEST(Export, OnlyShowdllIsExported)
{
    const Library lib;
    ASSERT_NE(lib.handle, nullptr) << dlerror();
    EXPECT_NE(dlsym(lib.handle, "showdll"), nullptr);
    for (const char* hidden : {"dll_params", "dm", "Fm_Main", "_Z7MsgInfoRK7QString"})
        EXPECT_EQ(dlsym(lib.handle, hidden), nullptr) << hidden;
}

TEST(Export, ShortParameterArraysReachTheHostAsExceptions)
{
    const Library lib;
    ASSERT_NE(lib.handle, nullptr) << dlerror();
    auto showdll = reinterpret_cast<qelvan::ShowdllFunction>(dlsym(lib.handle, "showdll"));
    ASSERT_NE(showdll, nullptr);
    qelvan::SimpleSession session;
    const qelvan::CountedStringArray three(std::vector<std::string>{"135021000000", "1", "2"});
    EXPECT_THROW(showdll(nullptr, 0, &session, nullptr, three.data(), three.highIndex()), std::invalid_argument);
    EXPECT_THROW(showdll(nullptr, 0, &session, nullptr, nullptr, 11), std::invalid_argument);
}

} // namespace
