#include <QCoreApplication>

#include <gtest/gtest.h>

// The database drivers are plugins; they load through the application object.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
