// Every file the program reads, spoiled in every way a player's disk can
// spoil it (a FIFO and a link to /dev/zero included), in a program folder of
// its own: the waves give silence and the
// game plays on, a bad icon stops start-up with a message naming it, a bad
// example picture is reported by name and the game is left as it was, and
// a bad text shows empty or as its bytes are. Never a crash or a hang.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <random>
#include <thread>

#include "board/tests/board_fixture.h"
#include "rules/testing/stacked_deck.h"
#include "services/qt/sdl_sound_player.h"
#include "services/text_file.h"

namespace quarrow {
namespace {

using board_testing::BoardTest;

enum class Spoil { Missing, Empty, Truncated, Garbage, Directory, Unreadable, Large, Fifo, EndlessDevice };

const char* Name(Spoil spoil)
{
    switch (spoil) {
    case Spoil::Missing: return "Missing";
    case Spoil::Empty: return "Empty";
    case Spoil::Truncated: return "Truncated";
    case Spoil::Garbage: return "Garbage";
    case Spoil::Directory: return "Directory";
    case Spoil::Unreadable: return "Unreadable";
    case Spoil::Large: return "Large";
    case Spoil::Fifo: return "Fifo";
    case Spoil::EndlessDevice: return "EndlessDevice";
    }
    return "?";
}

constexpr qint64 kLarge = 50 * 1024 * 1024;

QByteArray Shipped(const QString& name)
{
    QFile file(QStringLiteral(QUARROW_GAMEDATA_DIR "/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

QByteArray Garbage(std::size_t size, unsigned seed)
{
    std::mt19937 bytes(seed);
    QByteArray out(static_cast<qsizetype>(size), '\0');
    for (char& c : out)
        c = static_cast<char>(bytes() & 0xFF);
    return out;
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Puts the spoilt file in place of the good one. `large` is what a very
// large file of this kind holds.
void SpoilFile(const QString& path, Spoil spoil, const QByteArray& good, const QByteArray& large)
{
    QFile::remove(path);
    switch (spoil) {
    case Spoil::Missing: break;
    case Spoil::Empty: Write(path, {}); break;
    case Spoil::Truncated: Write(path, good.left(good.size() / 2)); break;
    case Spoil::Garbage: Write(path, Garbage(4096, 7)); break;
    case Spoil::Directory:
        ASSERT_TRUE(QDir().mkpath(path));
        Write(path + QStringLiteral("/inside"), good);
        break;
    case Spoil::Unreadable:
        Write(path, good);
        ASSERT_TRUE(QFile::setPermissions(path, {}));
        break;
    case Spoil::Large: Write(path, large); break;
    case Spoil::Fifo: ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0644), 0); break;
    case Spoil::EndlessDevice: ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path)); break;
    }
}

// Opening a FIFO for reading waits for a writer. Should the program do that,
// the test would hang: after a few seconds this opens each FIFO for writing
// and closes it again, which lets the reader go with an empty file, and the
// test fails saying why. A program that never waits on a FIFO is done long
// before, and the watch never opens one.
class FifoWatch {
public:
    explicit FifoWatch(QStringList fifos)
        : fifos_(std::move(fifos))
        , thread_([this] { Run(); })
    {
    }
    ~FifoWatch()
    {
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

    bool ReaderWasStuck() const { return stuck_; }

private:
    void Run()
    {
        std::unique_lock lock(mutex_);
        std::chrono::milliseconds wait = std::chrono::seconds(5);
        while (!wake_.wait_for(lock, wait, [this] { return done_; })) {
            wait = std::chrono::milliseconds(500);
            for (const QString& fifo : fifos_) {
                // Succeeds only while someone has the FIFO open for reading.
                const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                if (writer >= 0) {
                    stuck_ = true;
                    ::close(writer);
                }
            }
        }
    }

    QStringList fifos_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::atomic<bool> stuck_ = false;
    std::thread thread_;
};

// Permissions do not stop root; the unreadable cases run again as an ordinary
// user from the suite (bad_files_unreadable_as_nobody).
bool PermissionsBite()
{
    return geteuid() != 0;
}

class BadFileTest : public BoardTest, public ::testing::WithParamInterface<Spoil> {
protected:
    void SetUp() override
    {
        if (GetParam() == Spoil::Unreadable && !PermissionsBite())
            GTEST_SKIP() << "running as root, where chmod 000 does not stop reading; "
                            "the suite repeats this case as user nobody";
        ASSERT_TRUE(folder.isValid());
        board_testing::WriteProgramFolder(folder.path());
        for (const char* name : {"rules.txt", "tvk.txt", "SOUND/example.gif", "SOUND/qrrow_icon.ico",
                                 "SOUND/APPLAUS.WAV", "SOUND/CLUCK.WAV"})
            Write(folder.filePath(QLatin1String(name)), Shipped(QLatin1String(name)));
    }

    void TearDown() override
    {
        if (fifo_watch_) {
            EXPECT_FALSE(fifo_watch_->ReaderWasStuck()) << "the program waited for a writer on a FIFO";
            window.reset();
            fifo_watch_.reset();
        }
        // Let the temporary folder be removed whatever was done to it.
        for (const char* name : {"rules.txt", "tvk.txt", "SOUND/example.gif", "SOUND/qrrow_icon.ico",
                                 "SOUND/APPLAUS.WAV", "SOUND/CLUCK.WAV"})
            if (QFileInfo(folder.filePath(QLatin1String(name))).isFile())
                QFile::setPermissions(folder.filePath(QLatin1String(name)), QFile::ReadOwner | QFile::WriteOwner);
    }

    void SpoilShipped(const char* name, const QByteArray& large)
    {
        const QString file = QLatin1String(name);
        SpoilFile(folder.filePath(file), GetParam(), Shipped(file), large);
        if (GetParam() == Spoil::Fifo)
            fifos_ << folder.filePath(file);
    }

    QString Start(RandomSource& deals, SoundPlayer& player)
    {
        if (!fifos_.isEmpty())
            fifo_watch_ = std::make_unique<FifoWatch>(fifos_);
        window = std::make_unique<BoardWindow>(folder.path(), deals, player);
        const QString error = window->Form_Load();
        if (error.isEmpty()) {
            window->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        }
        return error;
    }

    // What the modal window a menu item opens shows; answered by closing it.
    struct Modal {
        QString className;
        QString text;
        qint64 msToActive = -1;
    };
    Modal Choose(const char* item)
    {
        Modal seen;
        QElapsedTimer clock;
        QTimer poll;
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !seen.className.isEmpty() || QApplication::activeWindow() != modal)
                return;
            seen.msToActive = clock.elapsed();
            seen.className = QString::fromLatin1(modal->metaObject()->className());
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                seen.text = box->text();
            // The document's own characters: toPlainText() would show a
            // no-break space as a plain one.
            if (auto* text = modal->findChild<QPlainTextEdit*>(QStringLiteral("txt_help")))
                seen.text = text->document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
            modal->close();
        });
        poll.start();
        clock.start();
        window->findChild<QAction*>(QLatin1String(item))->trigger();
        poll.stop();
        return seen;
    }

    // A game in progress, to be found as it was after the menu item.
    void StartGameWithSelection()
    {
        Deal();
        ClickSlot(3);
        ASSERT_TRUE(game().card_selected);
        before_ = game().model();
    }

    void ExpectGameAsBefore()
    {
        EXPECT_TRUE(game().model() == before_);
        EXPECT_TRUE(game().card_selected);
        EXPECT_TRUE(window->isVisible());
        ExpectBoardMirrorsModel();
    }

    BoardModel before_;
    QStringList fifos_;
    std::unique_ptr<FifoWatch> fifo_watch_;
};

std::string CaseName(const ::testing::TestParamInfo<Spoil>& info)
{
    return Name(info.param);
}

const auto kAllSpoils = ::testing::Values(Spoil::Missing, Spoil::Empty, Spoil::Truncated, Spoil::Garbage,
                                          Spoil::Directory, Spoil::Unreadable, Spoil::Large, Spoil::Fifo,
                                          Spoil::EndlessDevice);

// --- the two waves ---------------------------------------------------------

// A wave whose header is sound and whose 50 MB of samples are silence.
QByteArray LargeWave()
{
    const quint32 data = kLarge;
    QByteArray wave;
    auto u32 = [&](quint32 v) { for (int i = 0; i < 4; ++i) wave.append(static_cast<char>((v >> (8 * i)) & 0xFF)); };
    auto u16 = [&](quint16 v) { for (int i = 0; i < 2; ++i) wave.append(static_cast<char>((v >> (8 * i)) & 0xFF)); };
    wave.append("RIFF");
    u32(36 + data);
    wave.append("WAVEfmt ");
    u32(16);
    u16(1);        // PCM
    u16(1);        // mono
    u32(22050);
    u32(22050 * 2);
    u16(2);
    u16(16);
    wave.append("data");
    u32(data);
    wave.append(QByteArray(data, '\0'));
    return wave;
}

using WavesTest = BadFileTest;

// Both waves spoilt alike; the stairs deal is won with a refused move on the
// way, so both sounds are asked for through the real player.
TEST_P(WavesTest, GameIsPlayedToTheWinWithTheSoundsItCanHave)
{
    const QByteArray large = GetParam() == Spoil::Large ? LargeWave() : QByteArray();
    SpoilShipped("SOUND/APPLAUS.WAV", large);
    SpoilShipped("SOUND/CLUCK.WAV", large);
    // Read back only what can be read: a FIFO would block this test, /dev/zero never end.
    QFile applause(folder.filePath(QStringLiteral("SOUND/APPLAUS.WAV")));
    const QByteArray onDisk = QFileInfo(applause).isFile() && applause.open(QIODevice::ReadOnly) ? applause.readAll()
                                                                                                : QByteArray();

    testing::StackedDeck stairs(testing::StairsDeck());
    SdlSoundPlayer player;
    ASSERT_EQ(Start(stairs, player), QString());

    // What was read is the file's bytes, or nothing when it cannot be read.
    switch (GetParam()) {
    case Spoil::Missing:
    case Spoil::Directory:
    case Spoil::Unreadable:
    case Spoil::Empty:
    case Spoil::Fifo:
    case Spoil::EndlessDevice:
        EXPECT_TRUE(game().snd_applause.empty());
        EXPECT_TRUE(game().snd_cluck.empty());
        break;
    default:
        EXPECT_EQ(game().snd_applause.size(), static_cast<std::size_t>(onDisk.size()));
        EXPECT_TRUE(game().snd_applause == onDisk.toStdString());
        EXPECT_FALSE(game().snd_cluck.empty());
    }

    Deal();
    bool refused = false;
    for (int code = 1; code <= 52 && !HasFailure(); ++code) {
        int at = 0;
        for (int i = 1; i <= 54 && !at; ++i)
            at = game().model().slot_places[i].visible && game().model().slot_places[i].face == code ? i : 0;
        ASSERT_NE(at, 0) << "card " << code;
        ClickSlot(at);
        if (code == 2) {
            // Fan 2 is full: the notice comes up, with its cluck.
            EXPECT_TRUE(ClickSlot(6).shown);
            refused = true;
        }
        if (CardRank(static_cast<Int16>(code)) != 1) {
            const board_testing::Notice notice = ClickFoundation(CardSuit(static_cast<Int16>(code)));
            EXPECT_EQ(notice.win_face, code == 52);
        }
    }
    EXPECT_TRUE(refused);
    EXPECT_TRUE(game().game_won);
    player.WaitUntilIdle();
    // Nothing that decodes as a wave never even opens the device: silence.
    if (GetParam() != Spoil::Truncated && GetParam() != Spoil::Large) {
        EXPECT_FALSE(player.DeviceOpen());
    }
    ExpectBoardMirrorsModel();
}

INSTANTIATE_TEST_SUITE_P(EverySpoil, WavesTest, kAllSpoils, CaseName);

// --- the window icon --------------------------------------------------------

using IconTest = BadFileTest;

TEST_P(IconTest, StartUpStopsWithAMessageNamingTheIconOrGoesOnWithAGoodOne)
{
    // A large icon is a good icon followed by 50 MB that its directory does
    // not point at: it is read as the icon it is.
    QByteArray large = Shipped(QStringLiteral("SOUND/qrrow_icon.ico"));
    if (GetParam() == Spoil::Large)
        large.append(QByteArray(kLarge, '\0'));
    SpoilShipped("SOUND/qrrow_icon.ico", large);

    testing::StackedDeck stairs(testing::StairsDeck());
    board_testing::RecordingSound silent;
    const QString error = Start(stairs, silent);
    if (GetParam() == Spoil::Large) {
        EXPECT_EQ(error, QString());
        EXPECT_FALSE(window->windowIcon().isNull());
        return;
    }
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(folder.filePath(QStringLiteral("SOUND/qrrow_icon.ico")))))
        << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(EverySpoil, IconTest, kAllSpoils, CaseName);

// --- the example picture -----------------------------------------------------

using ExampleTest = BadFileTest;

TEST_P(ExampleTest, IsReportedByNameAndTheGameGoesOn)
{
    // A large picture is 50 MB of bytes that are no picture.
    SpoilShipped("SOUND/example.gif", GetParam() == Spoil::Large ? Garbage(kLarge, 3) : QByteArray());
    ASSERT_EQ(Start(deck, sound), QString());
    StartGameWithSelection();

    const Modal seen = Choose("mnu_example");
    if (GetParam() == Spoil::Truncated) {
        // Qt's GIF reader shows the rows that arrived, the rest blank: the
        // viewer opens on what there is rather than refusing the picture.
        EXPECT_EQ(seen.className, QStringLiteral("quarrow::ScrollerForm"));
    } else {
        EXPECT_EQ(seen.className, QStringLiteral("QMessageBox"));
        EXPECT_TRUE(seen.text.contains(QDir::toNativeSeparators(folder.filePath(QStringLiteral("SOUND/example.gif")))))
            << seen.text.toStdString();
    }
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    ExpectGameAsBefore();
    ClickSlot(3);
    EXPECT_FALSE(game().card_selected);
}

INSTANTIATE_TEST_SUITE_P(EverySpoil, ExampleTest, kAllSpoils, CaseName);

// --- the two texts -----------------------------------------------------------

// 50 MB of ordinary lines with the line ends the texts are stored with.
QByteArray LargeText()
{
    const QByteArray line = "Lay a card on a fan one above or one below it, whatever the suits.\r\n";
    QByteArray text;
    text.reserve(kLarge + line.size());
    while (text.size() < kLarge)
        text.append(line);
    return text;
}

using TextsTest = BadFileTest;

TEST_P(TextsTest, ShowEmptyOrAsStored)
{
    const QByteArray large = GetParam() == Spoil::Large ? LargeText() : QByteArray();
    for (const char* name : {"rules.txt", "tvk.txt"})
        SpoilShipped(name, large);
    ASSERT_EQ(Start(deck, sound), QString());
    StartGameWithSelection();

    for (const char* item : {"mnu_rules", "mnu_about"}) {
        SCOPED_TRACE(item);
        const QString file = folder.filePath(QLatin1String(item == std::string("mnu_rules") ? "rules.txt" : "tvk.txt"));
        const Modal seen = Choose(item);
        EXPECT_EQ(seen.className, QStringLiteral("quarrow::HelpWindow"));
        switch (GetParam()) {
        case Spoil::Missing:
        case Spoil::Directory:
        case Spoil::Unreadable:
        case Spoil::Empty:
        case Spoil::Fifo:
        case Spoil::EndlessDevice:
            EXPECT_EQ(seen.text, QString());
            break;
        case Spoil::Large:
            std::printf("%s, 50 MB: help window active after %lld ms\n", item, static_cast<long long>(seen.msToActive));
            RecordProperty(std::string(item) + "_large_ms", static_cast<int>(seen.msToActive));
            [[fallthrough]];
        default: {
            QFile stored(file);
            ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
            // Of a text beyond the limit the first mebibyte is shown.
            const QByteArray bytes = stored.read(static_cast<qint64>(kTextFileLimit));
            const QString stored_text = QString::fromStdU16String(
                WithLineBreaks(DecodeWindows1252(std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size()))), u"\n"));
            EXPECT_EQ(seen.text.size(), stored_text.size());
            for (qsizetype i = 0; i < std::min(seen.text.size(), stored_text.size()); ++i) {
                if (seen.text[i] != stored_text[i]) {
                    ADD_FAILURE() << "first difference at " << i << ": shown U+" << std::hex << int{seen.text[i].unicode()}
                                  << ", stored U+" << int{stored_text[i].unicode()};
                    break;
                }
            }
            if (GetParam() == Spoil::Large) {
                // Cut inside a line: the lines before it whole, then the part shown.
                EXPECT_EQ(seen.text.count(QLatin1Char('\n')), bytes.count("\r\n"));
                EXPECT_FALSE(seen.text.endsWith(QLatin1Char('\n')));
            }
        }
        }
    }
    ExpectGameAsBefore();
}

INSTANTIATE_TEST_SUITE_P(EverySpoil, TextsTest, kAllSpoils, CaseName);

} // namespace
} // namespace quarrow
