#include <gtest/gtest.h>

#include <string>

#include "signature_text.h"

TEST(SignatureState, TrustAnswersSortIntoTheStatesAndOnlyFailuresNeedAttention) {
  EXPECT_EQ(SignatureState::kValid, SignatureStateOfTrust(0));
  EXPECT_EQ(SignatureState::kUnsigned, SignatureStateOfTrust(0x800B0100));  // no signature
  EXPECT_EQ(SignatureState::kInvalid, SignatureStateOfTrust(0x80096010));   // bad digest
  EXPECT_EQ(SignatureState::kInvalid, SignatureStateOfTrust(0x800B0109));   // untrusted root
  EXPECT_EQ(SignatureState::kInvalid, SignatureStateOfTrust(0x800B0111));   // distrusted
  EXPECT_EQ(SignatureState::kInvalid, SignatureStateOfTrust(0x80093102));   // broken ASN.1
  // A text file, or one that cannot be opened, has nothing to say about a signature.
  EXPECT_EQ(SignatureState::kNone, SignatureStateOfTrust(0x800B0003));
  EXPECT_EQ(SignatureState::kNone, SignatureStateOfTrust(0x80092003));
  EXPECT_EQ(SignatureState::kNone, SignatureStateOfTrust(0x80070002));  // file not found
  EXPECT_EQ(SignatureState::kNone, SignatureStateOfTrust(0x80070020));  // sharing violation
  EXPECT_TRUE(SignatureNeedsAttention(SignatureState::kInvalid));
  EXPECT_TRUE(SignatureNeedsAttention(SignatureState::kUnsigned));
  EXPECT_FALSE(SignatureNeedsAttention(SignatureState::kValid));
  EXPECT_FALSE(SignatureNeedsAttention(SignatureState::kNone));
}

TEST(SignatureShownText, FillsTheSignerByHandAndShowsNothingForNoFile) {
  const SignatureTexts texts{"Signed by %s", "Signature not valid", "Not signed"};
  EXPECT_EQ("Signed by Contoso Ltd", SignatureShownText(SignatureState::kValid, "Contoso Ltd", texts));
  EXPECT_EQ("Signature not valid", SignatureShownText(SignatureState::kInvalid, "x", texts));
  EXPECT_EQ("Not signed", SignatureShownText(SignatureState::kUnsigned, "", texts));
  EXPECT_EQ("", SignatureShownText(SignatureState::kNone, "x", texts));
  // A signer holding format characters, and a replaced text with a second slot, stay text.
  EXPECT_EQ("Signed by %n%s", SignatureShownText(SignatureState::kValid, "%n%s", texts));
  const SignatureTexts two{"%s (%s)", "", ""};
  EXPECT_EQ("A (%s)", SignatureShownText(SignatureState::kValid, "A", two));
  const SignatureTexts none{"Signed", "", ""};
  EXPECT_EQ("Signed", SignatureShownText(SignatureState::kValid, "A", none));
}

TEST(MicrosoftByEvidence, OnlyAValidMicrosoftChainOrAnUnreadableCatalogueForSystemFiles) {
  MicrosoftEvidence signedByMs{SignatureState::kValid, "Microsoft Windows", true, false, true, ""};
  EXPECT_TRUE(MicrosoftByEvidence(signedByMs));
  // A self-made certificate that calls itself Microsoft does not end in Microsoft's root.
  MicrosoftEvidence selfMade = signedByMs;
  selfMade.microsoftRoot = false;
  EXPECT_FALSE(MicrosoftByEvidence(selfMade));
  MicrosoftEvidence otherSigner{SignatureState::kValid, "Contoso", true, true, false,
                                "Microsoft Corporation"};
  EXPECT_FALSE(MicrosoftByEvidence(otherSigner));
  // The company text alone never counts outside the System folder, nor while the catalogues
  // can be searched, nor for a tampered file.
  MicrosoftEvidence claims{SignatureState::kUnsigned, "", false, false, false,
                           "Microsoft Corporation"};
  EXPECT_FALSE(MicrosoftByEvidence(claims));
  claims.inSystemFolder = true;
  EXPECT_TRUE(MicrosoftByEvidence(claims));
  claims.cataloguesReadable = true;
  EXPECT_FALSE(MicrosoftByEvidence(claims));
  claims.cataloguesReadable = false;
  claims.state = SignatureState::kInvalid;
  EXPECT_FALSE(MicrosoftByEvidence(claims));
  claims.state = SignatureState::kUnsigned;
  claims.company = "Contoso";
  EXPECT_FALSE(MicrosoftByEvidence(claims));
}

TEST(SignatureCacheKey, OneKeyForEveryWayOfWritingThePath) {
  EXPECT_EQ("C:\\PROGRAM FILES\\A.EXE", SignatureCacheKey("c:/Program Files/a.exe"));
  EXPECT_EQ(SignatureCacheKey("C:\\X\\Y.DLL"), SignatureCacheKey("c:\\x\\y.dll"));
  EXPECT_NE(SignatureCacheKey("C:\\X\\Y.DLL"), SignatureCacheKey("C:\\X\\Y.DL"));
  // Bytes above ASCII are kept as they are.
  EXPECT_EQ("C:\\\xE9T\xC9", SignatureCacheKey("c:\\\xE9t\xC9"));
}

TEST(SignaturePathInFolder, InsideOrBelowButNotBesideTheFolder) {
  EXPECT_TRUE(SignaturePathInFolder("C:\\Windows\\System32\\svchost.exe", "c:\\windows\\system32"));
  EXPECT_TRUE(SignaturePathInFolder("C:\\Windows\\System32\\drivers\\x.sys", "C:\\Windows\\System32\\"));
  EXPECT_TRUE(SignaturePathInFolder("c:/windows/system32/a.dll", "C:\\Windows\\System32"));
  EXPECT_FALSE(SignaturePathInFolder("C:\\Windows\\System32x\\a.dll", "C:\\Windows\\System32"));
  EXPECT_FALSE(SignaturePathInFolder("C:\\Windows\\System32", "C:\\Windows\\System32"));
  EXPECT_FALSE(SignaturePathInFolder("C:\\Windows\\System32\\", "C:\\Windows\\System32"));
  EXPECT_FALSE(SignaturePathInFolder("C:\\Temp\\a.exe", "C:\\Windows\\System32"));
  EXPECT_FALSE(SignaturePathInFolder("C:\\a.exe", ""));
}
