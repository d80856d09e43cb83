#include "client/account/account_session.h"

#include <random>

namespace account {

AccountSession::AccountSession(web::Endpoints endpoints)
    : m_endpoints(std::move(endpoints)),
      m_random([](int low, int high) {
          static thread_local std::mt19937 engine{std::random_device{}()};
          return std::uniform_int_distribution<int>(low, high)(engine);
      })
{
}

}  // namespace account
