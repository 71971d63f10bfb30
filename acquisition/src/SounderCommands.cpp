// The commands to the sounder: the one-letter switches, selecting, arming and pinging a
// transducer, the pulse repetition interval and pulse width, and a transducer's jam values.
#include "acquisition/JamTable.h"
#include "acquisition/SounderLink.h"

#include <chrono>
#include <string>
#include <thread>

namespace {

int sendFlag(char command, int flag)
{
    const char text[3] = {command, flag ? '1' : '0', 0};
    return SounderWrite(text);
}

int sendNumber(int value) { return SounderWrite((std::to_string(value) + "\r").c_str()); }

} // namespace

int SetExtControl(int flag) { return sendFlag('c', flag); }
int SetVerbose(int flag) { return sendFlag('v', flag); }
int SetPldDigitalBoard(int flag) { return sendFlag('d', flag); }
int SetHpControl(int flag) { return sendFlag('h', flag); }

int SelectTransducer(int transducer)
{
    const char text[4] = {'a', TRANSDUCER_ADDRESS[transducer & 7], '\r', 0};
    return SounderWrite(text);
}

int ArmTransducer() { return SounderWrite("o"); }
int Ping() { return SounderWrite("p"); }
int PingAlternate() { return SounderWrite("P"); }
int SetPri(int ms) { return SounderWrite(("i" + std::to_string(ms) + "\r").c_str()); }

int SetTxPulseWidth(int us)
{
    int result = SounderWrite("w");
    // The unit needs a moment between the command and its value.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    int value = sendNumber(us);
    return result < 0 || value < 0 ? -1 : result + value;
}

int SendJamValues(const JamEntry* table, int transducer)
{
    const JamEntry& e = table[transducer & 7];
    int total = SounderWrite("j");
    for (int32_t value : {e.blanking, e.clock1, e.clock2, e.e2Clock2, e.referenceClock, e.e2Clock1}) {
        std::this_thread::yield();
        int sent = sendNumber(value);
        total = total < 0 || sent < 0 ? -1 : total + sent;
    }
    return total;
}
