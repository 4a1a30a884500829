#include "commands/adapter_address.h"

#include <gtest/gtest.h>

#include <string>

TEST(AdapterAddressCommands, JoinsEveryPieceWithTheConnectionNameQuoted)
{
    const AdapterAddressCommands lines = ComposeAdapterAddressCommands(
        "LAN", "10.0.0.2", "255.0.0.0", "10.0.0.1", "10.0.0.53", "10.0.0.54");
    EXPECT_EQ(lines.address,
              "netsh interface ip set address name=\"LAN\" source=static addr=10.0.0.2 mask=255.0.0.0 gateway=10.0.0.1");
    EXPECT_EQ(lines.primaryDns, "netsh interface ip set dns \"LAN\" source=static addr=10.0.0.53");
    EXPECT_EQ(lines.alternateDns, "netsh interface ip add dns \"LAN\" addr=10.0.0.54");
}

TEST(AdapterAddressCommands, OmittedTextsLeaveTheirEqualsSignsBare)
{
    const AdapterAddressCommands lines =
        ComposeAdapterAddressCommands("LAN", "10.0.0.2", "255.0.0.0", Text(), Text(), Text());
    EXPECT_EQ(lines.address, "netsh interface ip set address name=\"LAN\" source=static addr=10.0.0.2 mask=255.0.0.0 gateway=");
    EXPECT_EQ(lines.primaryDns, "netsh interface ip set dns \"LAN\" source=static addr=");
    EXPECT_EQ(lines.alternateDns, "netsh interface ip add dns \"LAN\" addr=");
}

TEST(AdapterAddressFailure, NamesTheFirstCommandThatDidNotStart)
{
    const char* const addressFailed = "ip地址，子网掩码，网关，修改失败。";
    const char* const primaryFailed = "dns主服务器修改失败。";
    const char* const alternateFailed = "dns备用服务器修改失败。";
    struct Case {
        bool address, primary, alternate;
        const char* message;
    };
    const Case cases[] = {
        {true, true, true, nullptr},
        {false, true, true, addressFailed},
        {false, false, false, addressFailed},
        {false, true, false, addressFailed},
        {true, false, true, primaryFailed},
        {true, false, false, primaryFailed},
        {true, true, false, alternateFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.address << c.primary << c.alternate);
        const char* message = AdapterAddressFailure(c.address, c.primary, c.alternate);
        if (!c.message)
            EXPECT_EQ(message, nullptr);
        else
            EXPECT_EQ(std::string(message ? message : "(none)"), c.message);
    }
}
