// A session manager (X11 session management protocol) that ends or tries to
// end the session on request, as a desktop's log-out does:
//   SIGUSR1  a log-out that another program cancels: every client is asked
//            to save itself for a shut-down, then told the shut-down is off
//   SIGUSR2  a log-out: every client saves itself for a shut-down, then dies
// It prints what happens, one line each:
//   SESSION_MANAGER=<address>   first, for the clients' environment
//   registered                  a client has registered
//   save-yourself-done          a client has saved itself
//   closed                      a client has closed its connection
// Only clients of this machine can connect (no TCP listener).

#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>

#include <poll.h>
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <vector>

// libICE's transport layer; a listener that is switched off is not opened.
extern "C" int _IceTransNoListen(const char *protocol);

namespace {

volatile sig_atomic_t LogOutRequested = 0; // the signal: SIGUSR1 or SIGUSR2
bool DieAfterSave = false;
std::vector<SmsConn> Clients;

void Say(const char *line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

Bool AcceptLocalClient(char *)
{
    return True;
}

Status RegisterClient(SmsConn conn, SmPointer, char *)
{
    char *id = SmsGenerateClientID(conn);
    const Status status = SmsRegisterClientReply(conn, id);
    std::free(id);
    Clients.push_back(conn);
    Say("registered");
    return status;
}

void InteractRequest(SmsConn conn, SmPointer, int)
{
    SmsInteract(conn);
}

void InteractDone(SmsConn, SmPointer, Bool) {}

void SaveYourselfRequest(SmsConn conn, SmPointer, int, Bool, int, Bool, Bool)
{
    SmsSaveComplete(conn);
}

void SaveYourselfPhase2Request(SmsConn conn, SmPointer)
{
    SmsSaveYourselfPhase2(conn);
}

void SaveYourselfDone(SmsConn conn, SmPointer, Bool)
{
    Say("save-yourself-done");
    if (DieAfterSave)
        SmsDie(conn);
    else
        SmsShutdownCancelled(conn);
}

void CloseConnection(SmsConn conn, SmPointer, int count, char **reasons)
{
    SmFreeReasons(count, reasons);
    IceConn ice = SmsGetIceConnection(conn);
    SmsCleanUp(conn);
    IceSetShutdownNegotiation(ice, False);
    IceCloseConnection(ice);
    for (auto it = Clients.begin(); it != Clients.end(); ++it) {
        if (*it == conn) {
            Clients.erase(it);
            break;
        }
    }
    Say("closed");
}

void SetProperties(SmsConn, SmPointer, int count, SmProp **properties)
{
    for (int i = 0; i < count; ++i)
        SmFreeProperty(properties[i]);
    std::free(properties);
}

void DeleteProperties(SmsConn, SmPointer, int count, char **names)
{
    for (int i = 0; i < count; ++i)
        std::free(names[i]);
    std::free(names);
}

void GetProperties(SmsConn conn, SmPointer)
{
    SmsReturnProperties(conn, 0, nullptr);
}

Status NewClient(SmsConn, SmPointer, unsigned long *mask, SmsCallbacks *callbacks, char **)
{
    std::memset(callbacks, 0, sizeof *callbacks);
    callbacks->register_client.callback = RegisterClient;
    callbacks->interact_request.callback = InteractRequest;
    callbacks->interact_done.callback = InteractDone;
    callbacks->save_yourself_request.callback = SaveYourselfRequest;
    callbacks->save_yourself_phase2_request.callback = SaveYourselfPhase2Request;
    callbacks->save_yourself_done.callback = SaveYourselfDone;
    callbacks->close_connection.callback = CloseConnection;
    callbacks->set_properties.callback = SetProperties;
    callbacks->delete_properties.callback = DeleteProperties;
    callbacks->get_properties.callback = GetProperties;
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
            SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask | SmsSaveYourselfDoneProcMask |
            SmsCloseConnectionProcMask | SmsSetPropertiesProcMask | SmsDeletePropertiesProcMask |
            SmsGetPropertiesProcMask;
    return 1;
}

// Connections whose messages are read in the loop below.
std::vector<IceConn> Connections;

void WatchConnection(IceConn conn, IcePointer, Bool opening, IcePointer *)
{
    if (opening) {
        Connections.push_back(conn);
        return;
    }
    for (auto it = Connections.begin(); it != Connections.end(); ++it) {
        if (*it == conn) {
            Connections.erase(it);
            break;
        }
    }
}

// The default handler ends the process when a client goes away abruptly.
void IgnoreIoError(IceConn) {}

void OnLogOut(int signalNumber)
{
    LogOutRequested = signalNumber;
}

} // namespace

int main()
{
    char error[256] = "";
    if (!SmsInitialize("lintra-tests", "1.0", NewClient, nullptr, AcceptLocalClient, sizeof error, error)) {
        std::fprintf(stderr, "SmsInitialize: %s\n", error);
        return 1;
    }
    // This machine's clients only: no TCP listener.
    for (const char *protocol : {"tcp", "inet", "inet6"})
        _IceTransNoListen(protocol);
    int count = 0;
    IceListenObj *listeners = nullptr;
    if (!IceListenForConnections(&count, &listeners, sizeof error, error)) {
        std::fprintf(stderr, "IceListenForConnections: %s\n", error);
        return 1;
    }
    for (int i = 0; i < count; ++i)
        IceSetHostBasedAuthProc(listeners[i], AcceptLocalClient);
    IceAddConnectionWatch(WatchConnection, nullptr);
    IceSetIOErrorHandler(IgnoreIoError);
    signal(SIGUSR1, OnLogOut);
    signal(SIGUSR2, OnLogOut);

    char *address = IceComposeNetworkIdList(count, listeners);
    std::printf("SESSION_MANAGER=%s\n", address);
    std::fflush(stdout);
    std::free(address);

    for (;;) {
        if (LogOutRequested) {
            DieAfterSave = LogOutRequested == SIGUSR2;
            LogOutRequested = 0;
            for (SmsConn client : Clients)
                SmsSaveYourself(client, SmSaveBoth, True, SmInteractStyleNone, False);
        }
        std::vector<pollfd> fds;
        for (int i = 0; i < count; ++i)
            fds.push_back({IceGetListenConnectionNumber(listeners[i]), POLLIN, 0});
        const std::vector<IceConn> connections = Connections;
        for (IceConn conn : connections)
            fds.push_back({IceConnectionNumber(conn), POLLIN, 0});
        if (poll(fds.data(), fds.size(), 100) <= 0)
            continue;
        for (int i = 0; i < count; ++i) {
            if (fds[i].revents & POLLIN) {
                IceAcceptStatus status;
                IceAcceptConnection(listeners[i], &status);
            }
        }
        for (size_t i = 0; i < connections.size(); ++i) {
            if (!(fds[count + i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            if (IceProcessMessages(connections[i], nullptr, nullptr) == IceProcessMessagesIOError)
                IceCloseConnection(connections[i]);
        }
    }
}
