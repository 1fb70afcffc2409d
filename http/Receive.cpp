#include "http/HttpResponse.h"
#include "http/ReplyReader.h"

int CHttpResponse::Receive(SOCKET s, int budgetMs)
{
    SocketSetNonBlocking(s);
    CSocketSource source(s);
    return Receive(source, budgetMs);
}

int CHttpResponse::Receive(ByteSource& source, int budgetMs)
{
    CReplyReader reader(*this, source, budgetMs);
    return reader.Run();
}
