#include "support/Socket.h"

#include <fcntl.h>
#include <gtest/gtest.h>

TEST(Socket, StartupGivesANonBlockingSocketAndOnlyASocketCloses)
{
    SOCKET s = SocketStartup();
    ASSERT_NE(INVALID_SOCKET, s);
    EXPECT_TRUE(::fcntl(s, F_GETFL) & O_NONBLOCK);
    EXPECT_EQ(0, SocketClose(s));
    EXPECT_EQ(-1, SocketClose(INVALID_SOCKET));
}
