# Qt Test built from its own sources (KADR_QT_TESTLIB_SOURCE: the folder of qt6-base's
# src/testlib, as scripts/windows/qt-testlib-source.sh fetches it) for a Qt built without the
# module: the Qt for Windows of scripts/build-qt-windows.sh. Defines Qt6::Test as a static
# library with the module's include layout; the headers Qt's own build would generate (its
# configuration and export macros) are written here.
if(TARGET Qt6::Test)
    return()
endif()
find_package(Qt6 REQUIRED COMPONENTS Core)

set(testlib_source ${KADR_QT_TESTLIB_SOURCE})
set(testlib_include ${CMAKE_BINARY_DIR}/qt_testlib/include)
if(NOT EXISTS ${testlib_source}/qtestcase.cpp)
    message(FATAL_ERROR "KADR_QT_TESTLIB_SOURCE (${testlib_source}) holds no qtestcase.cpp")
endif()

# <QtTest/x.h>, <QtTest/private/x_p.h> and <QTest> as the installed module has them.
file(GLOB testlib_headers RELATIVE ${testlib_source} ${testlib_source}/*.h
     ${testlib_source}/3rdparty/*.h)
foreach(header IN LISTS testlib_headers)
    get_filename_component(name ${header} NAME)
    if(name MATCHES "_p\\.h$")
        set(forward ${testlib_include}/QtTest/private/${name})
    else()
        set(forward ${testlib_include}/QtTest/${name})
    endif()
    file(CONFIGURE OUTPUT ${forward} CONTENT "#include \"${testlib_source}/${header}\"\n")
endforeach()
file(CONFIGURE OUTPUT ${testlib_include}/QtTest/QTest CONTENT "#include \"qtest.h\"\n")
# No valgrind on Windows; the item model tester and the coverage hooks are not used.
file(CONFIGURE OUTPUT ${testlib_include}/QtTest/qttestlib-config.h CONTENT
     "#define QT_FEATURE_testlib_selfcover -1\n#define QT_FEATURE_itemmodeltester -1\n#define QT_FEATURE_valgrind -1\n")
file(CONFIGURE OUTPUT ${testlib_include}/QtTest/private/qttestlib-config_p.h CONTENT "\n")
# A static library: nothing is imported from a DLL, and the inline functions stay inline.
file(CONFIGURE OUTPUT ${testlib_include}/QtTest/qttestexports.h CONTENT [[
#pragma once
#include <QtCore/qglobal.h>
#define Q_TESTLIB_EXPORT
#define QT_TESTLIB_INLINE_SINCE(major, minor) inline
#define QT_TESTLIB_INLINE_IMPL_SINCE(major, minor) 1
#define QT_TESTLIB_REMOVED_SINCE(major, minor) 0
]])

# The module's sources as its CMakeLists.txt lists them for Windows.
set(testlib_sources
    qabstracttestlogger.cpp qasciikey.cpp qbenchmark.cpp qbenchmarkevent.cpp
    qbenchmarkmeasurement.cpp qbenchmarkmetric.cpp qbenchmarkperfevents.cpp
    qcsvbenchmarklogger.cpp qjunittestlogger.cpp qplaintestlogger.cpp qsignaldumper.cpp
    qtaptestlogger.cpp qteamcitylogger.cpp qtestblacklist.cpp qtestcase.cpp qtestdata.cpp
    qtestelement.cpp qtestelementattribute.cpp qtestjunitstreamer.cpp qtestlog.cpp
    qtestmouse.cpp qtestresult.cpp qtesttable.cpp qxmltestlogger.cpp
    qtesteventloop.h)  # moc makes its vtable
list(TRANSFORM testlib_sources PREPEND ${testlib_source}/)
add_library(kadr_qt_testlib STATIC ${testlib_sources})
target_include_directories(kadr_qt_testlib SYSTEM PUBLIC ${testlib_include}
                                                         ${testlib_include}/QtTest
                                               PRIVATE ${testlib_include}/QtTest/private)
# Qt's own build settings for the module; qt_windows.h would otherwise declare Windows 10's API
# over the project's Windows 7 headers.
target_compile_definitions(kadr_qt_testlib PRIVATE
    QT_BUILD_TESTLIB_LIB QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_DATASTREAM
    QT_NO_FOREACH QT_NO_MESSAGELOGCONTEXT QT_USE_QSTRINGBUILDER
    $<$<BOOL:${WIN32}>:NTDDI_VERSION=0x06010000>)
# Qt's code, compiled as Qt's build compiles it: its warnings are Qt's to mend.
target_compile_options(kadr_qt_testlib PRIVATE -w)
target_link_libraries(kadr_qt_testlib PUBLIC Qt6::Core PRIVATE Qt6::CorePrivate)
add_library(Qt6::Test ALIAS kadr_qt_testlib)
