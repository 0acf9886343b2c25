#include "task_xml_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr char kTask[] =
    "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
    "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\r\n"
    "  <RegistrationInfo>\r\n"
    "    <Author>Contoso &amp; Sons</Author>\r\n"
    "    <Description>Keeps &lt;things&gt; fresh &#x263A;</Description>\r\n"
    "    <URI>\\Contoso\\Updater</URI>\r\n"
    "  </RegistrationInfo>\r\n"
    "  <Settings><Enabled>false</Enabled></Settings>\r\n"
    "  <Actions Context=\"Author\">\r\n"
    "    <Exec>\r\n"
    "      <Command>C:\\Program Files\\Contoso\\update.exe</Command>\r\n"
    "      <Arguments>/quiet \"x y\"</Arguments>\r\n"
    "    </Exec>\r\n"
    "    <!-- <Exec><Command>hidden.exe</Command></Exec> -->\r\n"
    "    <Exec><Command><![CDATA[C:\\t\\second.exe]]></Command></Exec>\r\n"
    "    <ComHandler><ClassId>{0}</ClassId></ComHandler>\r\n"
    "  </Actions>\r\n"
    "</Task>\r\n";

// As Windows writes a task file: UTF-16, little-endian, with its mark.
std::string Utf16WithMark(const std::string& ascii) {
  std::string bytes = "\xFF\xFE";
  for (char c : ascii) {
    bytes += c;
    bytes += '\0';
  }
  return bytes;
}

TEST(TaskXmlText, ReadsActionsStateAndAuthorInEveryEncoding) {
  for (const std::string& bytes :
       {std::string(kTask), Utf16WithMark(kTask), std::string("\xEF\xBB\xBF") + kTask,
        Utf16WithMark(kTask).substr(2)}) {
    const TaskXmlFacts facts = TaskXmlRead(bytes);
    EXPECT_TRUE(facts.wellFormed);
    ASSERT_EQ(2u, facts.execs.size());
    EXPECT_EQ("C:\\Program Files\\Contoso\\update.exe", facts.execs[0].command);
    EXPECT_EQ("/quiet \"x y\"", facts.execs[0].arguments);
    EXPECT_EQ("C:\\t\\second.exe", facts.execs[1].command);
    EXPECT_FALSE(facts.enabled);
    EXPECT_EQ("Contoso & Sons", facts.author);
    EXPECT_EQ("Keeps <things> fresh \xE2\x98\xBA", facts.description);
    EXPECT_EQ("\\Contoso\\Updater", facts.uri);
  }
  EXPECT_EQ("\"C:\\Program Files\\Contoso\\update.exe\" /quiet \"x y\"",
            TaskXmlCommandLine(TaskXmlRead(kTask).execs[0]));
  EXPECT_EQ("C:\\t\\second.exe", TaskXmlCommandLine(TaskXmlRead(kTask).execs[1]));
}

TEST(TaskXmlText, NamespacePrefixesAndBigEndianDoNotHideAnAction) {
  const std::string xml =
      "<t:Task xmlns:t=\"x\"><t:Actions><t:Exec><t:Command>a.exe</t:Command></t:Exec>"
      "</t:Actions></t:Task>";
  std::string big = "\xFE\xFF";
  for (char c : xml) {
    big += '\0';
    big += c;
  }
  for (const std::string& bytes : {xml, big}) {
    const TaskXmlFacts facts = TaskXmlRead(bytes);
    ASSERT_EQ(1u, facts.execs.size());
    EXPECT_EQ("a.exe", facts.execs[0].command);
    EXPECT_TRUE(facts.enabled) << "no Enabled element means enabled";
  }
}

TEST(TaskXmlText, EntitiesOfADocumentTypeAreNeverExpanded) {
  const std::string xml =
      "<!DOCTYPE Task [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">"
      "<!ENTITY ext SYSTEM \"file:///c:/windows/win.ini\">]>"
      "<Task><Actions><Exec><Command>&b;&ext;&#0;&#x110000;&#xZZ;&#;&amp</Command>"
      "</Exec></Actions></Task>";
  const TaskXmlFacts facts = TaskXmlRead(xml);
  ASSERT_EQ(1u, facts.execs.size());
  EXPECT_EQ("&b;&ext;\xEF\xBF\xBD\xEF\xBF\xBD&#xZZ;&#;&amp", facts.execs[0].command);
  EXPECT_TRUE(facts.wellFormed);
}

TEST(TaskXmlText, TruncatedOrBrokenFilesGiveWhatCameBefore) {
  const std::string whole = kTask;
  const std::string cut = whole.substr(0, whole.find("</Exec>"));
  TaskXmlFacts facts = TaskXmlRead(cut);
  EXPECT_FALSE(facts.wellFormed);
  ASSERT_EQ(1u, facts.execs.size());
  EXPECT_EQ("/quiet \"x y\"", facts.execs[0].arguments);
  // The command element was closed before the cut; the arguments too.
  EXPECT_EQ("C:\\Program Files\\Contoso\\update.exe", facts.execs[0].command);

  for (const char* broken : {"", "<", "<Task", "<Task><Actions></Task>", "</Task>",
                             "<Task attr=\"x>y\"<", "<!--", "<![CDATA[", "<?xml", "<>",
                             "\xFF\xFE<", "\xFF"}) {
    facts = TaskXmlRead(broken);
    EXPECT_FALSE(facts.wellFormed) << broken;
    EXPECT_TRUE(facts.execs.empty()) << broken;
  }
  // An odd byte count in UTF-16: the last half unit is dropped, not read past.
  facts = TaskXmlRead(Utf16WithMark(kTask) + "x");
  EXPECT_EQ(2u, facts.execs.size());
}

TEST(TaskXmlText, HugeInputsAreBounded) {
  std::string deep;
  for (int i = 0; i < 10000; ++i) deep += "<a>";
  EXPECT_FALSE(TaskXmlRead(deep).wellFormed);

  std::string many = "<Task><Actions>";
  for (int i = 0; i < 100; ++i) many += "<Exec><Command>x.exe</Command></Exec>";
  many += "</Actions></Task>";
  EXPECT_EQ(kTaskXmlExecMax, TaskXmlRead(many).execs.size());

  const std::string longCommand = "<Task><Actions><Exec><Command>" + std::string(100000, 'c') +
                                  "</Command></Exec></Actions></Task>";
  const TaskXmlFacts facts = TaskXmlRead(longCommand);
  ASSERT_EQ(1u, facts.execs.size());
  EXPECT_EQ(kTaskXmlTextMax, facts.execs[0].command.size());

  EXPECT_TRUE(TaskXmlRead(std::string(kTaskXmlBytesMax + 1, ' ')).execs.empty());
  // Unpaired surrogates become the replacement character, not broken UTF-8.
  EXPECT_EQ("\xEF\xBF\xBD<", TaskXmlUtf8(std::string("\xFF\xFE\x00\xD8<\x00", 6)));
}

}  // namespace
