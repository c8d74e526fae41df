#include "domain/uCrypt.h"

#include "platform/SysUtils.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

std::string Bytes(std::initializer_list<unsigned char> Codes)
{
    return std::string(Codes.begin(), Codes.end());
}

struct TGolden {
    std::string Text;
    std::string Ciphered;  // EnCipher alone, as hexadecimal
    std::string Crypted;   // Crypt with cKey alone, as hexadecimal
    std::string Encrypted; // the whole chain
};

// These vectors freeze the accounts file's key format: a change to the key,
// the tables or either loop breaks every stored key.
const TGolden cGolden[] = {
    {"", "", "", ""},
    {"A", "7B", "D8", "E2"},
    {"abc", "5A5059", "F8B9AC", "C38B96"},
    {"vmPUZE6mv9SD5VNHk4HlWfFpOHwNRvUdyBZM5vz",
     "43792D65457D2F61537C7933793E65556D4E4F695243235B4556527771416455406956647B416C",
     "EFB69F4C425FD91465277E2C95904FC683575B9BB887D437C3197DB53BD466F39DA70A1B0AFF5C",
     "DAA2E27C5D67C0184062545BD9F864DB852D5C9EBDA2B11CC907588C18E357C2A48C063244C84A"},
    {"Счёт №1", "D0A1D187D191D18272E284966F", "497A1E9EC98B3EFB33FCA9FE91",
     "497A1E9EC98B3EFB61FCA9FECF"},
    {Bytes({0x00, 0x1F, 0x7F, 0x80, 0xFF, ' ', '~'}), "001F4E80FF625E", "99C4B099E73A91",
     "99C48199E778B1"},
};

TEST(Crypt, GoldenVectorsFreezeTheFileFormat)
{
    for (const TGolden& G : cGolden) {
        SCOPED_TRACE(Write(G.Text));
        std::string Ciphered = G.Text;
        EnCipher(Ciphered);
        EXPECT_EQ(Write(Ciphered), G.Ciphered);
        std::string Crypted = G.Text;
        Crypt(Crypted, cKey);
        EXPECT_EQ(Write(Crypted), G.Crypted);
        EXPECT_EQ(Encrypt(G.Text), G.Encrypted);
        EXPECT_EQ(Decrypt(G.Encrypted), G.Text);
    }
}

TEST(Crypt, RandomEightBitTextsComeBack)
{
    std::mt19937 Rng(20261206);
    std::uniform_int_distribution<int> Length(0, 200);
    std::uniform_int_distribution<int> Code(0, 255);
    for (int I = 0; I < 2000; ++I) {
        std::string Text(Length(Rng), '\0');
        for (char& Ch : Text)
            Ch = static_cast<char>(Code(Rng));
        const std::string Hex = Encrypt(Text);
        ASSERT_EQ(Hex.size(), Text.size() * 2);
        ASSERT_EQ(Decrypt(Hex), Text) << Write(Text);

        std::string Round = Text;
        EnCipher(Round);
        DeCipher(Round);
        ASSERT_EQ(Round, Text);
    }
}

TEST(Crypt, ReadTakesBothCasesAndRejectsBadText)
{
    EXPECT_EQ(Read("00ff7Fa0"), Bytes({0x00, 0xFF, 0x7F, 0xA0}));
    EXPECT_EQ(Write(Bytes({0x00, 0xFF, 0x7F, 0xA0})), "00FF7FA0");
    for (const char* Bad : {"A", "ABC", "G0", "0G", "0x12", " 12", "12 ", "-1"}) {
        EXPECT_THROW(Read(Bad), EConvertError) << Bad;
        EXPECT_THROW(Decrypt(Bad), EConvertError) << Bad;
    }
}

} // namespace
